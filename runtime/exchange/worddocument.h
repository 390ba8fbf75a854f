#pragma once
// A new Word document built the way a user types it: paragraphs and text at
// the insertion point, tables added there, cells filled. Written as .docx.
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "runtime/exchange/officefile.h"

namespace tess {

class WordTable {
public:
    int rowCount() const { return rows_; }
    int columnCount() const { return columns_; }

    // The grid look of the statistics and export tables: fixed column
    // widths, rows that do not break across pages, rows centred, single
    // borders 1.5 pt outside and 0.5 pt inside, "宋体" 9 pt, paragraphs
    // centred, cells centred vertically, rows at least 16 pt high. Applies to
    // the cells' texts whether set before or after. Never fails.
    void applyGridFormat() { gridFormat_ = true; }
    bool hasGridFormat() const { return gridFormat_; }

    // Cell (row, column), both from 1. Tabs stay tabs, line breaks ("\r",
    // "\n") start new paragraphs in the cell. OfficeError(OutOfRange) for a
    // cell the table does not have.
    void setCell(int row, int column, const QString& text);
    QString cell(int row, int column) const;

private:
    friend class WordDocument;
    WordTable(int rows, int columns) : rows_(rows), columns_(columns), cells_(rows * columns) {}
    int rows_, columns_;
    QStringList cells_;
    bool gridFormat_ = false;
};

class WordDocument : public OfficeFile {
public:
    // A new document: one empty paragraph holding the insertion point, A4,
    // "宋体" 10.5 pt for Chinese text.
    WordDocument();
    ~WordDocument() override;

    // Ends the paragraph at the insertion point and starts a new one.
    void typeParagraph();
    // Text at the insertion point; "\t" is a tab, "\r", "\n" and "\r\n" end
    // the paragraph.
    void typeText(const QString& text);
    // A table of rows x columns at the insertion point, its columns sharing
    // the width between the margins, thin single borders. An empty paragraph
    // becomes the table; after text the table follows that paragraph. Typing
    // goes on in the paragraph after the table. The document owns the table;
    // the reference stays valid while the document lives. OfficeError
    // (OutOfRange) for fewer than one row or column or more than 63 columns.
    WordTable& addTable(int rows, int columns);

    void save(const QString& path) const override;
    QString suffix() const override { return QStringLiteral("docx"); }

private:
    struct Block {
        QString text;                      // a paragraph, unless table is set
        std::unique_ptr<WordTable> table;
    };
    std::vector<Block> blocks_;            // always ends with a paragraph
};

} // namespace tess
