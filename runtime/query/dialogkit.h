#pragma once
// Small pieces the query windows share: the window font, field boxes that
// show captions, editable value boxes and their filling.
#include <QStringList>
#include <functional>

class QComboBox;
class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace tess::query {

struct QueryFields;

// A drop-down list of the query fields' captions, nothing picked.
QComboBox* newFieldBox(QWidget* parent, const QueryFields& fields);
// A drop-down list of fixed captions, nothing picked.
QComboBox* newListBox(QWidget* parent, const QStringList& items);
// An editable box whose list offers values; a typed value need not be in it.
QComboBox* newValueBox(QWidget* parent);
// Replaces a value box's list; its text is kept or cleared.
void fillValueBox(QComboBox* box, const QStringList& values, bool keepText);
// Unpicks a box without telling its handlers.
void unpick(QComboBox* box);
// Picks a position without telling the handlers (-1 or a position past the
// end unpick the box).
void pickQuietly(QComboBox* box, int index);
// The text of a value box as typed or picked.
QString boxText(const QComboBox* box);
// True when no row of field and value boxes has a field picked or a value typed.
bool rowsEmpty(QComboBox* const* fieldBoxes, QComboBox* const* valueBoxes, int rows);
// 确定 (the default button) and 取消 (rejects) at the right of a row.
QHBoxLayout* buttonRow(QDialog* w, QPushButton** ok, QPushButton** cancel);


} // namespace tess::query
