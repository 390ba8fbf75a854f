// Related tables: master-detail tabs with an optional sub-detail, and query
// tables whose rows are chosen by a condition stored in the master record.
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "common/datamodule.h"
#include "common/paths.h"
#include "common/prompts.h"
#include "common/sqltext.h"
#include "runtime/query/advancedqueryform.h"
#include "runtime/query/condition.h"
#include "runtime/shell/mainform.h"
#include "runtime/shell/pageview.h"

namespace tess {

namespace {

// "a>b" into a and b; no ">" gives two empty columns.
void splitLink(const QString& value, QString* left, QString* right)
{
    const int gt = value.indexOf(QLatin1Char('>'));
    *left = gt < 0 ? QString() : value.left(gt).trimmed();
    *right = gt < 0 ? QString() : value.mid(gt + 1).trimmed();
}

int lastAutoIncrement(const FieldDefinition& d)
{
    for (int i = d.count() - 1; i >= 0; --i)
        if (d.kinds.at(i) == ftAutoInc)
            return i;
    return -1;
}

void narrow(QTableView* grid)
{
    if (!grid->model())
        return;
    grid->resizeColumnsToContents();
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (grid->columnWidth(c) > 100)
            grid->setColumnWidth(c, 100);
}

} // namespace

void TMainForm::buildRelationTabs()
{
    while (PageControl1->count() > 1)
        PageControl1->removeTab(1);
    const IniFile ini = dataIni();
    const QStringList keys = relationMode == 1 ? ini.readSection(currentSystem + currentTable + QStringLiteral("AssoTable"))
                                               : ini.readSection(currentTable + QStringLiteral("QueryAsso"));
    const QSignalBlocker block(PageControl1);
    if (keys.isEmpty()) {
        PageControl1->setTabText(0, currentTable);
        return;
    }
    PageControl1->setTabText(0, keys.first());
    for (int i = 1; i < keys.size(); ++i) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet") + QString::number(PageControl1->count() + 1));
        new QVBoxLayout(page);
        page->layout()->setContentsMargins(0, 0, 0, 0);
        PageControl1->addTab(page, keys.at(i));
    }
    PageControl1->setCurrentIndex(0);
}

void TMainForm::hideColumns(QTableView* grid, DataSet* ds, const QStringList& names, int lastAutoInc, bool engineAutoInc)
{
    if (!ds->active())
        return;
    for (int c = 0; c < ds->fieldCount(); ++c) {
        bool hide = names.contains(ds->fieldName(c), Qt::CaseInsensitive) || c == lastAutoInc;
        if (engineAutoInc && ds->fieldKind(c) == ftAutoInc)
            hide = true;
        grid->setColumnHidden(c, hide);
    }
}

void TMainForm::detachDetail()
{
    disconnect(subDetailFollow);
    for (DataSet* ds : {ADOQuery3, ADOQuery2, ADOQuery21, ADOTable3, ADOTable2}) {
        ds->close();
        ds->setMasterSource(nullptr);
        ds->setMasterFields(QString());
        ds->setIndexFieldNames(QString());
        ds->setFiltered(false);
        ds->setFilter(QString());
        ds->setSort(QString());
    }
    DBGrid2->setModel(nullptr);
    DBGrid3->setModel(nullptr);
    masterLink.clear();
    detailLink.clear();
    detailLink2.clear();
    subDetailLink.clear();
    detailTable.clear();
    subDetailTable.clear();
    SubDetailCaption->clear();
    fieldDef2 = FieldDefinition();
    fieldDef3 = FieldDefinition();
    queryTabRan = false;
    conditionField.clear();
}

void TMainForm::showTab(int index)
{
    if (relationMode == 0 || index < 0 || !master())
        return;
    detachDetail();
    // The detail area moves onto the active tab.
    QWidget* page = PageControl1->widget(index);
    if (page->layout())
        page->layout()->addWidget(RelationArea);
    RelationArea->show();
    const QString key = PageControl1->tabText(index);
    if (relationMode == 1)
        openDetail(key);
    else
        openQueryTab(key);
}

void TMainForm::openDetail(const QString& d)
{
    const IniFile ini = dataIni();
    detailTable = d;
    detailHomology = ini.readSection(currentSystem + d + QStringLiteral("HomologyField"));
    splitLink(ini.readString(currentSystem + currentTable + QStringLiteral("AssoTable"), d, QString()), &masterLink, &detailLink);
    const bool query = subsystemMode == 2;
    DataSet* ds = query ? ADOQuery2 : ADOTable2;
    try {
        if (query) {
            ds->setSql(QStringLiteral("Select * From ") + d + QStringLiteral("\nWhere ") + detailLink + QStringLiteral("=:") + masterLink);
            ds->setMasterSource(ADOQuery1);
        } else {
            ds->setTableName(d);
            ds->setMasterSource(ADOTable1);
            ds->setMasterFields(masterLink);
            ds->setIndexFieldNames(detailLink);
        }
        ds->open();
    } catch (const Error& e) {
        message(this, e.text(), QApplication::applicationName(), Buttons::Ok, Icon::Error);
        return;
    }
    fieldDef2 = loadDefinitions(db(), d, ds->fieldList());
    try {
        ds->setSort(defaultOrderOf(d));
    } catch (const Error& e) {
        message(this, e.text(), QApplication::applicationName(), Buttons::Ok, Icon::Error);
    }
    DataSource2 = ds;
    setGridSource(DBGrid2, ds, &fieldDef2, query);
    hideColumns(DBGrid2, ds, QStringList(detailLink) + detailHomology, query ? lastAutoIncrement(fieldDef2) : -1, !query);
    narrow(DBGrid2);
    for (int c = 0; c < ds->fieldCount(); ++c)
        if (DBGrid2->columnWidth(c) > 100)
            DBGrid2->setColumnWidth(c, 100);
    emit setOpened(QStringLiteral("Table2"), ds);

    // The sub-detail: the last table of the detail's own relation section.
    const QStringList sub = ini.readSection(currentSystem + d + QStringLiteral("AssoTable"));
    if (sub.isEmpty()) {
        SubDetailPanel->hide();
        return;
    }
    const QString e = sub.last();
    subDetailTable = e;
    splitLink(ini.readString(currentSystem + d + QStringLiteral("AssoTable"), e, QString()), &detailLink2, &subDetailLink);
    subDetailHomology = ini.readSection(currentSystem + e + QStringLiteral("HomologyField"));
    SubDetailCaption->setText(e);
    SubDetailPanel->show();
    const int h = RelationArea->height();
    RelationArea->setSizes({h - h / 2, h / 2});
    DataSet* sds = query ? ADOQuery3 : ADOTable3;
    try {
        if (query) {
            sds->setSql(QStringLiteral("Select * From ") + e);
        } else {
            sds->setTableName(e);
            sds->setMasterSource(ADOTable2);
            sds->setMasterFields(detailLink2);
            sds->setIndexFieldNames(subDetailLink);
        }
        sds->open();
    } catch (const Error& err) {
        message(this, err.text(), QApplication::applicationName(), Buttons::Ok, Icon::Error);
        return;
    }
    fieldDef3 = loadDefinitions(db(), e, sds->fieldList());
    DataSource3 = sds;
    setGridSource(DBGrid3, sds, &fieldDef3, query);
    hideColumns(DBGrid3, sds, QStringList(subDetailLink) + subDetailHomology, query ? lastAutoIncrement(fieldDef3) : -1, !query);
    narrow(DBGrid3);
    emit setOpened(QStringLiteral("Table3"), sds);
    if (query) {
        // The sub-detail query shows the rows of the detail's current record;
        // with no detail record it shows none.
        auto follow = [this] {
            if (!ADOQuery3->active() || !ADOQuery2->active())
                return;
            if (ADOQuery2->recordCount() > 0 && ADOQuery2->fieldIndex(detailLink2) >= 0)
                ADOQuery3->setFilter(subDetailLink + QStringLiteral(" ='") + sql::escaped(ADOQuery2->text(detailLink2))
                                     + QLatin1Char('\''));
            else
                ADOQuery3->setFilter(QStringLiteral("1=0"));
            ADOQuery3->setFiltered(true);
        };
        subDetailFollow = connect(ADOQuery2, &DataSet::afterScroll, ADOQuery3, follow);
        follow();
    }
}

void TMainForm::openQueryTab(const QString& q)
{
    detailTable = q;
    conditionField = dataIni().readString(currentTable + QStringLiteral("QueryAsso"), q, QString());
    try {
        DataSet probe(&db());
        probe.setTableName(q);
        probe.open();
        fieldDef2 = loadDefinitions(db(), q, probe.fieldList());
    } catch (const Error& e) {
        message(this, e.text(), QApplication::applicationName(), Buttons::Ok, Icon::Error);
        return;
    }
    SubDetailPanel->hide();
    if (!conditionField.isEmpty() && master())
        runQueryTab();
}

void TMainForm::runQueryTab()
{
    DataSet* m = DataSource1;
    if (relationMode != 2 || !m || !m->active() || m->isEmpty() || detailTable.isEmpty())
        return;
    queryTabRan = true;
    ADOQuery21->close();
    const QString condition = m->fieldIndex(conditionField) >= 0 ? m->text(conditionField).trimmed() : QString();
    if (condition.isEmpty()) {
        DBGrid2->setModel(nullptr);
        return;
    }
    QString text = QStringLiteral("Select * From ") + detailTable + QStringLiteral("\nWhere ") + condition;
    const QString order = queryTabOrder.value(detailTable);
    if (!order.isEmpty())
        text += QStringLiteral("\norder by ") + order;
    ADOQuery21->setSql(text);
    try {
        ADOQuery21->open();
    } catch (const Error& e) {
        DBGrid2->setModel(nullptr);
        message(this, e.text(), QApplication::applicationName(), Buttons::Ok, Icon::Error);
        return;
    }
    DataSource2 = ADOQuery21;
    setGridSource(DBGrid2, ADOQuery21, fieldDef2.count() == ADOQuery21->fieldCount() ? &fieldDef2 : nullptr, true);
    narrow(DBGrid2);
}

void TMainForm::conditionBuilder()
{
    if (relationMode != 2 || subsystemMode != 1 || detailTable.isEmpty() || !master())
        return;
    query::QuerySource source;
    source.fields = query::QueryFields::fromDefinition(fieldDef2);
    source.table = detailTable;
    source.connection = &db();
    query::AdvancedQuery builder(source);
    if (!builder.execute(this))
        return;
    DataSet* m = master();
    m->edit();
    m->setText(conditionField, builder.condition);
    m->post();
    queryTabOrder.insert(detailTable, builder.order);
    runQueryTab();
}

} // namespace tess

namespace tess {

void TMainForm::connectRelations()
{
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (relationMode == 0 || !master())
            return;
        // A record still being written in the detail decides first.
        if (!resolvePending()) {
            const QSignalBlocker block(PageControl1);
            PageControl1->setCurrentIndex(PageControl1->indexOf(RelationArea->parentWidget()));
            return;
        }
        showTab(index);
    });
    connect(this, &TMainForm::masterScrolled, this, [this] {
        if (relationMode == 2 && queryTabRan)
            runQueryTab();
    });
    pageView->isConditionField = [this](const QString& name) {
        return relationMode == 2 && !conditionField.isEmpty() && name.compare(conditionField, Qt::CaseInsensitive) == 0;
    };
    connect(this, &TMainForm::conditionRequested, this, [this] { conditionBuilder(); });
}

} // namespace tess
