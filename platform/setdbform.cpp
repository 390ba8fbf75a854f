#include "platform/setdbform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "common/datamodule.h"
#include "common/definitions.h"
#include "common/paths.h"
#include "common/prompts.h"
#include "platform/platformkit.h"

namespace tess {

namespace {

const QString kWarn = QStringLiteral("警告  ");
const QString kCyclostyle = QStringLiteral("cyclostyle");

// The eight columns of a row the move commands exchange.
const QStringList& gridFields()
{
    static const QStringList f{QStringLiteral("ID"),    QStringLiteral("FName"),  QStringLiteral("DType"),
                               QStringLiteral("FSize"), QStringLiteral("CType"),  QStringLiteral("FStyle"),
                               QStringLiteral("FSelect"), QStringLiteral("FKey")};
    return f;
}

bool isDropDown(const QString& style)
{
    const QString s = style.trimmed();
    return s == QStringLiteral("单选下拉框") || s == QStringLiteral("多选下拉框");
}

// Choice lists for some columns; no cell editor for the options column,
// which has its own editor over the grid.
class DesignDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QMap<int, QStringList> lists;
    int optionsColumn = -1;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.column() == optionsColumn)
            return nullptr;
        if (!lists.contains(index.column()))
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = new QComboBox(parent);
        box->addItems(lists.value(index.column()));
        auto* self = const_cast<DesignDelegate*>(this);
        connect(box, &QComboBox::activated, self, [self, box] { emit self->commitData(box); });
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            const QString text = index.data(Qt::EditRole).toString();
            // A value from elsewhere (a converted template's "BCD数型") stays choosable.
            if (!text.isEmpty() && box->findText(text) < 0)
                box->addItem(text);
            box->setCurrentIndex(box->findText(text));
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            if (box->currentText() != index.data(Qt::EditRole).toString())
                model->setData(index, box->currentText());
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};

} // namespace

TSetDBForm::TSetDBForm(QWidget* parent) : QDialog(parent)
{
    applyWindowFont(this);
    setWindowTitle(QString());
    ADOTable1 = new DataSet(&db(), this);
    ADOTable1->setObjectName(QStringLiteral("ADOTable1"));
    // A new row: "字符型" of size 20, "普通型", "文本框".
    ADOTable1->onNewRecord([](DataSet& d) {
        d.setValue(QStringLiteral("DType"), QStringLiteral("字符型"));
        d.setValue(QStringLiteral("CType"), QStringLiteral("普通型"));
        d.setValue(QStringLiteral("FStyle"), QStringLiteral("文本框"));
        d.setValue(QStringLiteral("FSize"), 20);
    });

    model = new DataSetModel(ADOTable1, this);
    model->setFormatter([this](int field, const QVariant& v) {
        QString text = DataSet::displayText(v, ADOTable1->fieldKind(field));
        if (field == column(QStringLiteral("FSelect")))
            text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
        return text;
    });
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(model);
    DBGrid1->setItemDelegate(new DesignDelegate(DBGrid1));
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->verticalHeader()->setDefaultSectionSize(20);
    DBGrid1->verticalHeader()->setFixedWidth(14);
    DBGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed
                             | QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    model->follow(DBGrid1->selectionModel());

    DBMemo1 = new QPlainTextEdit(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DBMemo1->hide();
    connect(DBMemo1, &QPlainTextEdit::textChanged, this, [this] {
        if (loadingOptions || !DBMemo1->isVisible() || !ADOTable1->active() || ADOTable1->recNo() == 0)
            return;
        if (ADOTable1->state() == DataSetState::Browse)
            ADOTable1->edit();
        QString text = DBMemo1->toPlainText();
        // One option per line, lines ended the Windows way as stored everywhere.
        text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        loadingOptions = true;
        ADOTable1->setValue(QStringLiteral("FSelect"), text);
        loadingOptions = false;
    });

    auto follow = [this] { updateOptionEditor(); };
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this, follow);
    connect(DBGrid1->horizontalScrollBar(), &QScrollBar::valueChanged, this, follow);
    connect(DBGrid1->verticalScrollBar(), &QScrollBar::valueChanged, this, follow);
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionResized, this, follow);
    connect(ADOTable1, &DataSet::afterScroll, this, follow);
    connect(ADOTable1, &DataSet::afterClose, this, follow);
    connect(ADOTable1, &DataSet::afterCancel, this, follow);
    connect(ADOTable1, &DataSet::fieldChanged, this, [this](int field) {
        if (!loadingOptions && field != column(QStringLiteral("FAlias")))
            updateOptionEditor();
    });

    buildMenus();
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->setMenuBar(MainMenu1);
    v->addWidget(ToolBar1);
    v->addWidget(DBGrid1, 1);

    resize(799, 572);
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect g = s->geometry();
        move(g.left() + (g.width() - width()) / 2, g.top() + (g.height() - height() - 26) / 2);
    }
}

TSetDBForm::~TSetDBForm() = default;

void TSetDBForm::buildMenus()
{
    auto run = [this](void (TSetDBForm::*command)()) {
        return [this, command] {
            try {
                (this->*command)();
            } catch (const Abort&) {
            } catch (const Error& e) {
                message(this, e.text(), QApplication::applicationName(), Buttons::Ok, Icon::Error);
            }
        };
    };
    MainMenu1 = new QMenuBar(this);
    auto item = [&](QMenu* m, const QString& caption, std::function<void()> action) {
        QAction* a = m->addAction(caption);
        items.insert(caption, a);
        connect(a, &QAction::triggered, this, [action] { action(); });
    };
    QMenu* file = MainMenu1->addMenu(QStringLiteral("文件"));
    item(file, QStringLiteral("新建模板"), run(&TSetDBForm::newTable));
    item(file, QStringLiteral("模板另存为"), run(&TSetDBForm::saveAs));
    item(file, QStringLiteral("删除模板"), run(&TSetDBForm::deleteTemplate));
    file->addSeparator();
    item(file, QStringLiteral("退出"), [this] { reject(); });
    QMenu* edit = MainMenu1->addMenu(QStringLiteral("编辑"));
    item(edit, QStringLiteral("增加"), run(&TSetDBForm::addRow));
    item(edit, QStringLiteral("插入"), run(&TSetDBForm::insertRow));
    item(edit, QStringLiteral("修改"), run(&TSetDBForm::editRow));
    item(edit, QStringLiteral("删除"), run(&TSetDBForm::deleteRow));
    item(edit, QStringLiteral("上移"), run(&TSetDBForm::moveUp));
    item(edit, QStringLiteral("下移"), run(&TSetDBForm::moveDown));
    edit->addSeparator();
    item(edit, QStringLiteral("自动排序号"), run(&TSetDBForm::renumber));
    TemplateMenu = MainMenu1->addMenu(QStringLiteral("模板"));
    fillTemplateMenu();
    QMenu* help = MainMenu1->addMenu(QStringLiteral("帮助"));
    item(help, QStringLiteral("帮助"), [this] { openPlatformHelp(this); });

    ToolBar1 = new QToolBar(this);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto tool = [&](const QString& caption, std::function<void()> action) {
        QAction* a = ToolBar1->addAction(caption);
        tools.insert(caption, a);
        connect(a, &QAction::triggered, this, [action] { action(); });
    };
    tool(QStringLiteral("新建"), run(&TSetDBForm::newTable));
    tool(QStringLiteral("另存为"), run(&TSetDBForm::saveAs));
    ToolBar1->addSeparator();
    tool(QStringLiteral("增加"), run(&TSetDBForm::addRow));
    tool(QStringLiteral("插入"), run(&TSetDBForm::insertRow));
    tool(QStringLiteral("修改"), run(&TSetDBForm::editRow));
    tool(QStringLiteral("删除"), run(&TSetDBForm::deleteRow));
    tool(QStringLiteral("上移"), run(&TSetDBForm::moveUp));
    tool(QStringLiteral("下移"), run(&TSetDBForm::moveDown));
    ToolBar1->addSeparator();
    tool(QStringLiteral("确定"), run(&TSetDBForm::createTable));
    tool(QStringLiteral("取消"), [this] { reject(); });
}

void TSetDBForm::fillTemplateMenu()
{
    TemplateMenu->clear();
    for (const QString& name : exeIni().readSection(kCyclostyle))
        addTemplateItem(name);
}

void TSetDBForm::addTemplateItem(const QString& name)
{
    for (QAction* a : TemplateMenu->actions())
        if (a->text() == name)
            return;
    QAction* a = TemplateMenu->addAction(name);
    connect(a, &QAction::triggered, this, [this, name] {
        try {
            openTemplate(name);
        } catch (const Error& e) {
            message(this, e.text(), QApplication::applicationName(), Buttons::Ok, Icon::Error);
        }
    });
}

int TSetDBForm::column(const QString& field) const
{
    return ADOTable1->active() ? ADOTable1->fieldIndex(field) : -1;
}

bool TSetDBForm::exists(const QString& table)
{
    return db().hasTable(table);
}

void TSetDBForm::openDefinitionTable(const QString& name)
{
    // Rows in the order of their numbers: an engine may keep changed rows
    // elsewhere in its own order.
    ADOTable1->setSql(QStringLiteral("Select * From ") + name + QStringLiteral("b Order By ID"));
    ADOTable1->open();
    static const QMap<QString, QString> titles{
        {QStringLiteral("id"), QStringLiteral("字段序号")},      {QStringLiteral("fname"), QStringLiteral("字段名称")},
        {QStringLiteral("dtype"), QStringLiteral("数据类型")},   {QStringLiteral("fsize"), QStringLiteral("字段大小")},
        {QStringLiteral("ctype"), QStringLiteral("计算类型")},   {QStringLiteral("fstyle"), QStringLiteral("输入框样式")},
        {QStringLiteral("fselect"), QStringLiteral("下拉框内容")}, {QStringLiteral("fkey"), QStringLiteral("关键字段")},
    };
    QStringList captions;
    for (int i = 0; i < ADOTable1->fieldCount(); ++i)
        captions << titles.value(ADOTable1->fieldName(i).toLower(), ADOTable1->fieldName(i));
    model->setCaptions(captions);
    for (int i = 0; i < ADOTable1->fieldCount(); ++i)
        DBGrid1->setColumnHidden(i, i == column(QStringLiteral("FAlias")));
    auto* delegate = static_cast<DesignDelegate*>(DBGrid1->itemDelegate());
    delegate->lists = {{column(QStringLiteral("DType")), designerTypeNames()},
                       {column(QStringLiteral("CType")), computationTypes()},
                       {column(QStringLiteral("FStyle")), styleNames()},
                       {column(QStringLiteral("FKey")), {QStringLiteral("是"), QStringLiteral("否")}}};
    delegate->optionsColumn = column(QStringLiteral("FSelect"));
    const QList<int> widths{60, 110, 90, 70, 80, 0, 90, 150, 70};
    for (int i = 0; i < ADOTable1->fieldCount() && i < widths.size(); ++i)
        if (widths.at(i) > 0)
            DBGrid1->setColumnWidth(i, widths.at(i));
    if (model->rowCount() > 0)
        DBGrid1->setCurrentIndex(model->index(ADOTable1->recNo() - 1, 0));
}

void TSetDBForm::closeDefinitionTable()
{
    DBMemo1->hide();
    ADOTable1->close();
}

void TSetDBForm::commitGridEditor()
{
    QWidget* w = QApplication::focusWidget();
    if (!w || w == DBGrid1 || !DBGrid1->isAncestorOf(w))
        return;
    QAbstractItemDelegate* d = DBGrid1->itemDelegate();
    emit d->commitData(w);
    emit d->closeEditor(w, QAbstractItemDelegate::NoHint);
}

void TSetDBForm::keepTypedRow()
{
    commitGridEditor();
    if (ADOTable1->active() && ADOTable1->state() != DataSetState::Browse)
        ADOTable1->checkBrowseMode();
}

// ---- templates -------------------------------------------------------------

void TSetDBForm::newTable()
{
    commitGridEditor();
    const QString name = inputText(this, QStringLiteral("输入数据库表名称"), QStringLiteral("数据库表名称")).trimmed();
    if (name.isEmpty())
        return;
    const QString why = tableNameProblem(name);
    if (!why.isEmpty()) {
        warning(this, why, kWarn);
        return;
    }
    keepTypedRow();
    closeDefinitionTable();
    const bool hasTable = exists(name);
    const bool hasDefinition = exists(name + QLatin1Char('b'));
    if (hasTable || hasDefinition) {
        if (message(this, QStringLiteral("数据库文件已经存在，是否要重新创建?  "), kWarn, Buttons::OkCancel, Icon::Warning)
            != Answer::Ok)
            return;
        if (hasTable)
            db().exec(QStringLiteral("DROP Table ") + name);
        if (hasDefinition)
            db().exec(QStringLiteral("DROP Table ") + name + QLatin1Char('b'));
        confirmedName = name;
    }
    db().exec(definitionTableSql(name));
    currentName = name;
    openDefinitionTable(name);
    ADOTable1->append();
    ADOTable1->setValue(QStringLiteral("ID"), 1);
    validation.reset();
    exeIni().writeString(kCyclostyle, name, name + QLatin1Char('b'));
    addTemplateItem(name);
    setWindowTitle(name);
    DBGrid1->setFocus();
    DBGrid1->setCurrentIndex(model->index(0, column(QStringLiteral("FName"))));
}

void TSetDBForm::openTemplate(const QString& name)
{
    commitGridEditor();
    // Only a template that is there becomes the current one: the rows in the
    // grid and the name "确定" creates must belong together.
    if (!exists(name + QLatin1Char('b'))) {
        warning(this, QStringLiteral(" 模板不存在！ "), kWarn);
        return;
    }
    keepTypedRow();
    closeDefinitionTable();
    currentName = name;
    openDefinitionTable(name);
    validation.reset();
    setWindowTitle(name);
}

void TSetDBForm::saveAs()
{
    if (!ADOTable1->active())
        return;
    commitGridEditor();
    const QString name = inputText(this, QStringLiteral("输入数据库表名称"), QStringLiteral("数据库表名称")).trimmed();
    if (name.isEmpty())
        return;
    const QString why = tableNameProblem(name);
    if (!why.isEmpty()) {
        warning(this, why, kWarn);
        return;
    }
    // Overwriting the template with itself would drop the rows it copies.
    if (name.compare(currentName, Qt::CaseInsensitive) == 0) {
        warning(this, QStringLiteral("“%1”就是当前模板，请输入另一个名称！  ").arg(name), kWarn);
        return;
    }
    keepTypedRow();
    const QString target = name + QLatin1Char('b');
    if (exists(target)) {
        if (message(this, QStringLiteral("数据库表已经存在，是否要覆盖?  "), kWarn, Buttons::OkCancel, Icon::Warning)
            != Answer::Ok)
            return;
        db().exec(QStringLiteral("DROP Table ") + target);
    }
    db().exec(QStringLiteral("SELECT * INTO ") + target + QStringLiteral(" FROM ") + currentName + QLatin1Char('b'));
    closeDefinitionTable();
    currentName = name;
    openDefinitionTable(name);
    validation.reset();
    exeIni().writeString(kCyclostyle, name, target);
    addTemplateItem(name);
    setWindowTitle(name);
}

void TSetDBForm::deleteTemplate()
{
    if (currentName.isEmpty())
        return;
    if (exists(currentName)) {
        message(this, QStringLiteral("此模板已被系统使用，不能删除！  "), QStringLiteral("文件打开出错   "), Buttons::Ok,
                Icon::Warning);
        return;
    }
    if (message(this, QStringLiteral("确实要删除模板吗?  "), kWarn, Buttons::OkCancel, Icon::Warning) != Answer::Ok)
        return;
    // The definition table and the menu item stay: choosing it opens the rows again.
    exeIni().deleteKey(kCyclostyle, currentName);
    setWindowTitle(QString());
}

// ---- rows ---------------------------------------------------------------------

DefinitionRow TSetDBForm::currentRowValues() const
{
    auto text = [this](const char* f) { return ADOTable1->value(QLatin1String(f)).toString(); };
    DefinitionRow r;
    r.id = ADOTable1->value(QStringLiteral("ID"));
    r.fname = text("FName");
    r.dtype = text("DType");
    r.fsize = ADOTable1->value(QStringLiteral("FSize"));
    r.ctype = text("CType");
    r.falias = text("FAlias");
    r.fstyle = text("FStyle");
    r.fselect = text("FSelect");
    r.fkey = text("FKey");
    return r;
}

QStringList TSetDBForm::earlierFieldNames()
{
    // The rows before the current one: of two rows with one name, the
    // second is the one refused.
    QStringList out;
    const int here = ADOTable1->recNo() - 1;
    const int f = column(QStringLiteral("FName"));
    for (int i = 0; i < here; ++i)
        out << ADOTable1->valueAt(i, f).toString();
    return out;
}

QList<DefinitionRow> TSetDBForm::rows()
{
    QList<DefinitionRow> out;
    if (!ADOTable1->active())
        return out;
    auto at = [this](int row, const char* f) { return ADOTable1->valueAt(row, column(QLatin1String(f))); };
    const int n = ADOTable1->recordCount();
    for (int i = 0; i < n; ++i) {
        DefinitionRow r;
        r.id = at(i, "ID");
        r.fname = at(i, "FName").toString();
        r.dtype = at(i, "DType").toString();
        r.fsize = at(i, "FSize");
        r.ctype = at(i, "CType").toString();
        r.falias = at(i, "FAlias").toString();
        r.fstyle = at(i, "FStyle").toString();
        r.fselect = at(i, "FSelect").toString();
        r.fkey = at(i, "FKey").toString();
        out << r;
    }
    return out;
}

bool TSetDBForm::validateCurrentRow()
{
    if (!ADOTable1->active() || ADOTable1->recNo() == 0)
        return false;
    commitGridEditor();
    const DefinitionRow r = currentRowValues();
    const QString problem = validation.check(r, earlierFieldNames());
    if (!problem.isEmpty()) {
        warning(this, problem, kWarn);
        return false;
    }
    if (ADOTable1->state() == DataSetState::Browse)
        ADOTable1->edit();
    // The name as the column will carry it, and the caption from it.
    const QString name = r.fname.trimmed();
    if (r.fname != name)
        ADOTable1->setValue(QStringLiteral("FName"), name);
    ADOTable1->setValue(QStringLiteral("FAlias"), name);
    ADOTable1->post();
    return true;
}

void TSetDBForm::addRow()
{
    if (currentName.isEmpty())
        return;
    commitGridEditor();
    if (!ADOTable1->active())
        openDefinitionTable(currentName);
    // With no row at all there is nothing to validate.
    if (!ADOTable1->isEmpty() && !validateCurrentRow())
        return;
    const int n = ADOTable1->recordCount();
    ADOTable1->append();
    ADOTable1->setValue(QStringLiteral("ID"), n + 1);
    DBGrid1->setCurrentIndex(model->index(ADOTable1->recNo() - 1, std::max(0, column(QStringLiteral("FName")))));
}

void TSetDBForm::insertRow()
{
    if (!ADOTable1->active())
        return;
    keepTypedRow();
    const int n = ADOTable1->recordCount();
    ADOTable1->insert();
    ADOTable1->setValue(QStringLiteral("ID"), n + 1);
}

void TSetDBForm::editRow()
{
    if (!ADOTable1->active() || ADOTable1->recNo() == 0)
        return;
    ADOTable1->edit();
    const QModelIndex at = DBGrid1->currentIndex();
    if (at.isValid()) {
        DBGrid1->setFocus();
        DBGrid1->edit(at);
    }
}

void TSetDBForm::deleteRow()
{
    if (!ADOTable1->active() || ADOTable1->recNo() == 0)
        return;
    commitGridEditor();
    if (message(this, QStringLiteral("确实要删除吗?  "), kWarn, Buttons::OkCancel, Icon::Warning) != Answer::Ok)
        return;
    ADOTable1->deleteRecord();
}

void TSetDBForm::moveUp()
{
    swapWith(-1);
}

void TSetDBForm::moveDown()
{
    swapWith(1);
}

void TSetDBForm::swapWith(int by)
{
    if (!ADOTable1->active())
        return;
    keepTypedRow();
    const int here = ADOTable1->recNo();
    const int there = here + by;
    if (here < 1 || there < 1 || there > ADOTable1->recordCount())
        return;
    QVariantList mine, theirs;
    for (const QString& f : gridFields())
        mine << ADOTable1->value(f);
    ADOTable1->setRecNo(there);
    for (const QString& f : gridFields())
        theirs << ADOTable1->value(f);
    auto write = [this](const QVariantList& values) {
        ADOTable1->edit();
        for (int i = 0; i < gridFields().size(); ++i)
            ADOTable1->setValue(gridFields().at(i), values.at(i));
        ADOTable1->post();
    };
    write(mine);
    ADOTable1->setRecNo(here);
    write(theirs);
    ADOTable1->setRecNo(there);
}

void TSetDBForm::renumber()
{
    if (!ADOTable1->active())
        return;
    keepTypedRow();
    const int keep = ADOTable1->recNo();
    const int n = ADOTable1->recordCount();
    for (int i = 1; i <= n; ++i) {
        ADOTable1->setRecNo(i);
        const QVariant id = ADOTable1->value(QStringLiteral("ID"));
        if (id.isNull() || id.toString().trimmed() != QString::number(i)) {
            ADOTable1->edit();
            ADOTable1->setValue(QStringLiteral("ID"), i);
            ADOTable1->post();
        }
    }
    if (keep > 0)
        ADOTable1->setRecNo(keep);
}

// ---- creating the table ---------------------------------------------------------

void TSetDBForm::createTable()
{
    commitGridEditor();
    validation.reset();
    created = false;
    if (!ADOTable1->active() || currentName.isEmpty())
        return;
    const QString why = tableNameProblem(currentName);
    if (!why.isEmpty()) {
        warning(this, why, kWarn);
        return;
    }
    keepTypedRow();
    const int n = ADOTable1->recordCount();
    if (n == 0) {
        warning(this, QStringLiteral("没有字段，不能创建数据库表！  "), kWarn);
        return;
    }
    // Every row is checked before anything is dropped: a row that fails must
    // not cost the existing table.
    for (int i = 1; i <= n; ++i) {
        ADOTable1->setRecNo(i);
        if (!validateCurrentRow()) {
            DBGrid1->setCurrentIndex(model->index(i - 1, std::max(0, DBGrid1->currentIndex().column())));
            return;
        }
    }
    if (exists(currentName)) {
        if (confirmedName != currentName
            && message(this, QStringLiteral("数据库文件已经存在，是否要重新创建?  "), kWarn, Buttons::OkCancel, Icon::Warning)
                   != Answer::Ok)
            return;
        confirmedName = currentName;
        db().exec(QStringLiteral("DROP Table ") + currentName);
    }
    // Row i describes column i: the numbers follow the rows.
    renumber();
    try {
        db().exec(createTableSql(currentName, rows()));
    } catch (const EngineError& e) {
        message(this, e.text(), QApplication::applicationName(), Buttons::Ok, Icon::Error);
        return;
    }
    warning(this, QStringLiteral("数据库表创建成功！  "), kWarn);
    created = true;
    accept();
}

// ---- option editor ----------------------------------------------------------------

QRect TSetDBForm::optionEditorRect(const QRect& cell)
{
    return QRect(cell.left() - 260, cell.top() + 2, 200, 104);
}

void TSetDBForm::loadOptionEditor()
{
    QString text = ADOTable1->value(QStringLiteral("FSelect")).toString();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (DBMemo1->toPlainText() == text)
        return;
    loadingOptions = true;
    DBMemo1->setPlainText(text);
    loadingOptions = false;
}

void TSetDBForm::updateOptionEditor()
{
    const QModelIndex at = DBGrid1->currentIndex();
    const bool show = ADOTable1->active() && ADOTable1->recNo() > 0 && at.isValid()
                      && at.column() == column(QStringLiteral("FSelect"))
                      && isDropDown(ADOTable1->value(QStringLiteral("FStyle")).toString());
    if (!show) {
        DBMemo1->hide();
        return;
    }
    const QRect r = optionEditorRect(DBGrid1->visualRect(at));
    DBMemo1->setGeometry(QRect(DBGrid1->viewport()->mapTo(this, r.topLeft()), r.size()));
    loadOptionEditor();
    DBMemo1->show();
    DBMemo1->raise();
}

void TSetDBForm::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    updateOptionEditor();
}

void TSetDBForm::reject()
{
    // Closing keeps the rows as typed: they are the template.
    try {
        keepTypedRow();
    } catch (const Error& e) {
        message(this, e.text(), QApplication::applicationName(), Buttons::Ok, Icon::Error);
        ADOTable1->cancel();
    }
    QDialog::reject();
}

} // namespace tess
