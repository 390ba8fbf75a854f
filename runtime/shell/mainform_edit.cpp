// Editing records: the toolbar and "编辑" commands, the fields that open
// windows, and the moments at which the field rules act.
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTableView>
#include <QUrl>

#include "common/modal.h"
#include "common/datamodule.h"
#include "common/prompts.h"
#include "runtime/query/querycommands.h"
#include "runtime/shell/fieldwindows.h"
#include "runtime/shell/mainform.h"
#include "runtime/shell/pageview.h"
#include "runtime/shell/showpageform.h"

namespace tess {

namespace {
const QString kWarn = QStringLiteral("警告  ");
}

DataSet* TMainForm::target() const
{
    if (activeSlot == QLatin1String("Table2"))
        return ADOTable2;
    if (activeSlot == QLatin1String("Table3"))
        return ADOTable3;
    return master();
}

const FieldDefinition& TMainForm::targetDefinitions() const
{
    if (activeSlot == QLatin1String("Table2"))
        return fieldDef2;
    if (activeSlot == QLatin1String("Table3"))
        return fieldDef3;
    return fieldDef;
}

QTableView* TMainForm::gridOf(const QString& slot) const
{
    if (slot == QLatin1String("Table2"))
        return DBGrid2;
    if (slot == QLatin1String("Table3"))
        return DBGrid3;
    return DBGrid1;
}

QString TMainForm::slotOf(DataSet* ds) const
{
    if (ds == ADOTable2 || ds == ADOQuery2)
        return QStringLiteral("Table2");
    if (ds == ADOTable3 || ds == ADOQuery3)
        return QStringLiteral("Table3");
    return QStringLiteral("Table1");
}

void TMainForm::connectEditing()
{
    connect(ToolButton6, &QAction::triggered, this, &TMainForm::ToolButton6Click);
    connect(ToolButton7, &QAction::triggered, this, &TMainForm::ToolButton7Click);
    connect(ToolButton8, &QAction::triggered, this, &TMainForm::ToolButton8Click);
    connect(ToolButton9, &QAction::triggered, this, &TMainForm::ToolButton9Click);
    connect(ToolButton10, &QAction::triggered, this, &TMainForm::ToolButton10Click);
    connect(ToolButton11, &QAction::triggered, this, &TMainForm::ToolButton11Click);
    auto menuItem = [this](const char* caption, void (TMainForm::*f)()) {
        QAction* a = item(QString::fromUtf8(caption));
        disconnect(a, &QAction::triggered, this, nullptr);
        connect(a, &QAction::triggered, this, f);
    };
    menuItem("增加", &TMainForm::ToolButton6Click);
    menuItem("修改", &TMainForm::ToolButton8Click);
    menuItem("写入", &TMainForm::ToolButton9Click);
    menuItem("删除", &TMainForm::ToolButton10Click);
    menuItem("插入图片", &TMainForm::ToolButton11Click);
    menuItem("删除图片", &TMainForm::deletePicture);
    menuItem("选择多行", &TMainForm::toggleMultiSelect);
    menuItem("复制记录", &TMainForm::copyRecord);
    menuItem("定位查找", &TMainForm::locateClick);
    item(QStringLiteral("选择多行"))->setCheckable(true);

    // The rule moments follow the data sets' own events.
    for (DataSet* ds : {ADOTable1, ADOQuery1, ADOTable2, ADOTable3}) {
        connect(ds, &DataSet::afterOpen, this, [this, ds] { emit setOpened(slotOf(ds), ds); });
        connect(ds, &DataSet::afterInsert, this, [this, ds] { emit recordStarted(slotOf(ds), ds); });
        connect(ds, &DataSet::afterEdit, this, [this, ds] { emit editStarted(slotOf(ds), ds); });
        connect(ds, &DataSet::afterPost, this, [this, ds] { emit recordWritten(slotOf(ds), ds); });
    }
    // A detail that goes into edit state while empty gets a hint.
    connect(ADOTable2, &DataSet::afterEdit, this, [this] {
        if (ADOTable2->recordCount() == 0)
            warning(this, QStringLiteral("目前是空表应先单击“增加”按钮！  "), QStringLiteral("警告   "));
    });

    // The slot of the last grid or page box that had the focus.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now)
            return;
        if (now == DBGrid2 || DBGrid2->isAncestorOf(now))
            activeSlot = QStringLiteral("Table2");
        else if (now == DBGrid3 || DBGrid3->isAncestorOf(now))
            activeSlot = QStringLiteral("Table3");
        else if (now == DBGrid1 || DBGrid1->isAncestorOf(now) || PagePanel->isAncestorOf(now))
            activeSlot = QStringLiteral("Table1");
    });
    connect(pageView, &PageView::entered, this, [this](int field) {
        activeSlot = QStringLiteral("Table1");
        if (field < fieldDef.ctypes.size() && fieldDef.ctypes.at(field) == QStringLiteral("结果型") && subsystemMode == 1)
            emit resultFieldEntered(activeSlot, DataSource1, field);
    });
    connect(pageView, &PageView::doubleClicked, this, &TMainForm::pageDoubleClicked);
    connect(pageView, &PageView::ellipsisClicked, this, [this](int field) {
        const QString name = fieldDef.names.at(field);
        if (fieldDef.kinds.at(field) == ftBlob)
            fileColumn(DataSource1, name);
        else if (pageView->isConditionField && pageView->isConditionField(name))
            emit conditionRequested(name);
        else
            emit referenceRequested(QStringLiteral("Table1"), DataSource1, name);
    });
    connect(pageView, &PageView::pictureDoubleClicked, this, [this](int field) {
        TShowImageForm w(pictureOf(DataSource1->value(fieldDef.names.at(field))), this);
        runModal(w);
    });
    connect(pageView, &PageView::memoDoubleClicked, this, [this](int field) {
        TShowMemoForm w(DataSource1, fieldDef.names.at(field), subsystemMode == 1 && DataSource1->canModify(), this);
        runModal(w);
    });
    for (QTableView* g : {DBGrid1, DBGrid2, DBGrid3})
        connect(g, &QTableView::doubleClicked, this, [this, g](const QModelIndex& i) { gridDoubleClicked(g, i); });
}

void TMainForm::pageDoubleClicked(int field)
{
    if (field >= 0 && field < fieldDef.count() && fieldDef.kinds.at(field) == ftBlob)
        fileColumn(DataSource1, fieldDef.names.at(field));
}

void TMainForm::gridDoubleClicked(QTableView* grid, const QModelIndex& index)
{
    auto* m = qobject_cast<DataSetModel*>(grid->model());
    if (!m || !index.isValid())
        return;
    DataSet* ds = m->dataSet();
    const QString slot = grid == DBGrid2 ? QStringLiteral("Table2") : grid == DBGrid3 ? QStringLiteral("Table3") : QStringLiteral("Table1");
    const FieldDefinition& defs = slot == QLatin1String("Table2") ? fieldDef2 : slot == QLatin1String("Table3") ? fieldDef3 : fieldDef;
    const int col = index.column();
    const FieldKind k = col < defs.kinds.size() ? defs.kinds.at(col) : ds->fieldKind(col);
    if (k == ftBlob) {
        fileColumn(ds, ds->fieldName(col));
        return;
    }
    QString caption = currentTable;
    if (slot != QLatin1String("Table1"))
        caption = PageControl1->tabText(PageControl1->currentIndex());
    TShowPageForm f(ds, defs.count() == ds->fieldCount() ? defs : FieldDefinition(), caption, subsystemMode, this);
    runModal(f);
}

void TMainForm::setWriteEnabled(bool on)
{
    writeEnabled = on;
    ToolButton9->setEnabled(on);
    item(QStringLiteral("写入"))->setEnabled(on);
    bool picture = !fieldDef.pictureField.isEmpty();
    if (activeSlot != QLatin1String("Table1"))
        picture = picture || !fieldDef2.pictureField.isEmpty() || !fieldDef3.pictureField.isEmpty();
    ToolButton11->setEnabled(on && picture);
}

qlonglong TMainForm::nextIdentity(const QString& table, const QString& column)
{
    const QVariant v = db().scalar(QStringLiteral("SELECT MAX(") + column + QStringLiteral(") FROM ") + table);
    return v.isNull() ? 1 : v.toLongLong() + 1;
}

void TMainForm::ToolButton6Click()
{
    DataSet* ds = target();
    if (!master() || !ds || !ds->active() || subsystemMode != 1)
        return;
    const QString slot = activeSlot;
    const FieldDefinition& defs = targetDefinitions();
    const bool wasEmpty = ds->recordCount() == 0;
    ds->append();
    // A first column of type 自动型 numbers itself.
    if (!defs.kinds.isEmpty() && defs.kinds.first() == ftAutoInc && ds->fieldCount() > 0)
        ds->setValue(0, wasEmpty ? 1 : nextIdentity(ds->tableName(), ds->fieldName(0)));
    emit numberRequested(slot, ds, wasEmpty);
    if (slot != QLatin1String("Table1"))
        emit homologyRequested(slot, ds);
    setWriteEnabled(true);
}

void TMainForm::ToolButton7Click()
{
    DataSet* ds = target();
    if (!master() || !ds || !ds->active() || subsystemMode != 1)
        return;
    ds->insert();
    setWriteEnabled(true);
}

void TMainForm::ToolButton8Click()
{
    DataSet* ds = target();
    if (!master() || !ds || !ds->active() || subsystemMode != 1)
        return;
    if (ds == master() && ds->isEmpty())
        return;
    ds->edit();
    setWriteEnabled(true);
}

void TMainForm::ToolButton9Click()
{
    if (!master())
        return;
    for (DataSet* ds : {ADOTable2, ADOTable3, ADOTable1, ADOQuery1}) {
        if (!ds->active() || (ds->state() == DataSetState::Browse))
            continue;
        ds->post();
    }
    setWriteEnabled(false);
    showCount(QStringLiteral("当前数据库记录总数为"));
}

void TMainForm::ToolButton10Click()
{
    DataSet* ds = target();
    if (!master() || !ds || !ds->active() || subsystemMode != 1)
        return;
    if (message(this, QStringLiteral("确实要删除吗?  "), kWarn, Buttons::OkCancel, Icon::Question) != Answer::Ok)
        return;
    QTableView* grid = gridOf(activeSlot);
    QList<int> rows;
    if (grid->selectionMode() == QAbstractItemView::MultiSelection && grid->selectionModel())
        for (const QModelIndex& i : grid->selectionModel()->selectedRows())
            rows << i.row();
    if (rows.isEmpty()) {
        ds->deleteRecord();
    } else {
        // Bottom up, so the positions of the rows still to go stay put.
        std::sort(rows.begin(), rows.end(), std::greater<int>());
        ds->disableControls();
        try {
            for (int r : rows) {
                ds->setRecNo(r + 1);
                ds->deleteRecord();
            }
        } catch (...) {
            ds->enableControls();
            throw;
        }
        ds->enableControls();
        grid->clearSelection();
    }
    showCount(QStringLiteral("当前数据库记录总数为"));
}

void TMainForm::ToolButton11Click()
{
    DataSet* ds = target();
    const QString field = targetDefinitions().pictureField;
    if (!master() || !ds || !ds->active() || subsystemMode != 1 || field.isEmpty())
        return;
    const QString file = prompts().openFile(this, QStringLiteral("打开图片"),
                                            QStringLiteral("图片文件(*.BMP;*.JPG;*.JPGE)|*.BMP;*.JPG;*.JPGE;*.bmp;*.jpg;*.jpeg"));
    if (file.isEmpty())
        return;
    const QByteArray bitmap = pictureFileAsBitmap(file);
    if (bitmap.isEmpty())
        return;   // not a picture we take, or a JPEG that did not decode
    ds->edit();
    ds->setValue(field, bitmap);
}

void TMainForm::deletePicture()
{
    DataSet* ds = target();
    const QString field = targetDefinitions().pictureField;
    if (!ds || !ds->active() || field.isEmpty() || ds->isEmpty())
        return;
    ds->edit();
    ds->setValue(field, QVariant());
}

void TMainForm::toggleMultiSelect()
{
    QTableView* grid = gridOf(activeSlot);
    const bool on = grid->selectionMode() != QAbstractItemView::MultiSelection;
    grid->setSelectionMode(on ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
    item(QStringLiteral("选择多行"))->setChecked(on);
}

void TMainForm::copyRecord()
{
    DataSet* ds = target();
    if (!master() || !ds || !ds->active() || ds->isEmpty() || subsystemMode != 1)
        return;
    QStringList texts;
    for (int i = 0; i < ds->fieldCount(); ++i)
        texts << ds->text(i);
    QList<QVariant> blobs;
    for (int i = 0; i < ds->fieldCount(); ++i)
        blobs << (isBlobKind(ds->fieldKind(i)) ? ds->value(i) : QVariant());
    ToolButton6Click();
    if (ds->state() != DataSetState::Insert)
        return;
    // The first column (usually the key or the number) is left to the append rules.
    for (int i = 1; i < ds->fieldCount(); ++i) {
        if (isBlobKind(ds->fieldKind(i)))
            ds->setValue(i, blobs.at(i));
        else
            ds->setText(i, texts.at(i));
    }
}

void TMainForm::locateClick()
{
    if (subsystemMode != 1) {
        warning(this, QStringLiteral("录入状态才能查找！  "));
        return;
    }
    if (master())
        queryCommands->locate();
}

void TMainForm::fileColumn(DataSet* ds, const QString& field)
{
    if (!ds || !ds->active() || ds->fieldIndex(field) < 0)
        return;
    if (subsystemMode == 1 && ds->canModify()) {
        const QString file = prompts().openFile(this, QStringLiteral("打开"), QStringLiteral("所有文件(*.*)|*.*"));
        if (file.isEmpty())
            return;
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) {
            warning(this, QStringLiteral("文件打开出错！  "));
            return;
        }
        ds->edit();
        ds->setValue(field, f.readAll());
        ds->post();
        warning(this, QStringLiteral("保存完毕！  "));
        return;
    }
    const QString file = prompts().saveFile(
        this, QStringLiteral("另存为"),
        QStringLiteral("Word文件(*.DOC)|*.DOC|文本文件(*.TXT)|*.TXT|BMP文件(*.BMP)|*.BMP|JPG文件(*.JPG)|*.JPG|其它文件(*.*)|*.*"), {},
        QStringLiteral("DOC"));
    if (file.isEmpty())
        return;
    ds->saveToFile(ds->field(field), file);
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

bool TMainForm::resolvePending()
{
    QList<DataSet*> pending;
    for (DataSet* ds : {ADOTable3, ADOTable2, ADOTable1, ADOQuery1})
        if (ds->active() && (ds->state() == DataSetState::Edit || ds->state() == DataSetState::Insert)) {
            ds->updateRecord();
            if (ds->modified())
                pending << ds;
            else
                ds->cancel();
        }
    if (pending.isEmpty())
        return true;
    const Answer a = message(this, QStringLiteral("当前记录已修改但尚未写入，是否写入？  "), kWarn, Buttons::YesNoCancel,
                             Icon::Question);
    if (a == Answer::Cancel)
        return false;
    for (DataSet* ds : pending) {
        if (a == Answer::No) {
            ds->cancel();
            continue;
        }
        try {
            ds->post();
        } catch (const Abort&) {
            return false;
        } catch (const Error& e) {
            message(this, e.text(), QApplication::applicationName(), Buttons::Ok, Icon::Error);
            return false;
        }
    }
    setWriteEnabled(false);
    return true;
}

} // namespace tess
