#pragma once
// Small windows opened from fields and from the settings menus: the
// enlarged picture, the enlarged memo, the drop-down option editor and the
// start-up settings.
#include <QDialog>
#include <QImage>

#include "common/dataset.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace tess {

class FieldLink;

// Picture bytes as a column of type 图像型 holds them: a Windows bitmap.
// JPEG files are converted in memory; other files give an empty result.
QByteArray pictureFileAsBitmap(const QString& path);
// Any picture the toolkit can decode (bitmaps as stored, and JPEG or PNG
// put there by other programs).
QImage pictureOf(const QVariant& value);

class TShowImageForm : public QDialog {
    Q_OBJECT
public:
    explicit TShowImageForm(const QImage& image, QWidget* parent = nullptr);
    QLabel* Image1;
    QImage image;
    void openFile(const QString& path);
    // Saves as BMP (filter 1) or compressed JPEG (filter 2).
    bool saveAs(const QString& path, int filterIndex);
};

class TShowMemoForm : public QDialog {
    Q_OBJECT
public:
    // writable: opened from a table of the entry subsystem; every change is
    // written at once.
    TShowMemoForm(DataSet* ds, const QString& field, bool writable, QWidget* parent = nullptr);
    QPlainTextEdit* Memo1;
    void OpenClick();
    void SaveAsClick();
private:
    DataSet* ds;
    QString field;
    bool writable;
};

class TStarForm : public QDialog {
    Q_OBJECT
public:
    explicit TStarForm(QWidget* parent = nullptr);
    QButtonGroup* RadioGroup1;   // ids: the [Form] Star values 1, 2, 0
    void OkClick();
};

class TSetComboBoxForm : public QDialog {
    Q_OBJECT
public:
    TSetComboBoxForm(Connection* c, const QString& system, QWidget* parent = nullptr);
    QComboBox* ComboBox1;        // tables of the system
    QListWidget* ListBox1;       // its drop-down columns
    QPlainTextEdit* Memo1;       // the options of the chosen column
    QPushButton *EditButton, *PostButton, *SearchButton, *CloseButton;
    void tableChosen(const QString& table);
    void columnChosen(const QString& column);
    void EditClick();
    void PostClick();
    void SearchClick();
private:
    Connection* conn;
    QString table;
    QString column;
    QString rowName;   // FName of the definition row found by prefix
};

} // namespace tess
