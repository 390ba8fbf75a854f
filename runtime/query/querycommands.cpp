#include "runtime/query/querycommands.h"

#include "common/dataset.h"
#include "common/prompts.h"
#include "runtime/query/advancedqueryform.h"
#include "common/modal.h"
#include "runtime/query/dialogkit.h"
#include "runtime/query/locateform.h"
#include "runtime/query/pinyin.h"
#include "runtime/query/queryforms.h"
#include "runtime/query/querywayforms.h"
#include "runtime/query/sortform.h"

namespace tess::query {

QueryCommands::QueryCommands(Connection* connection, DataSet* adoQuery1, QWidget* w, QObject* parent)
    : QObject(parent), conn(connection), mq(adoQuery1), window(w)
{
    mq.setMessageParent(window);
    connect(&mq, &MainQuery::statusText, this, &QueryCommands::statusText);
    connect(&mq, &MainQuery::pageViewRefresh, this, &QueryCommands::pageViewRefresh);
}

QuerySource QueryCommands::source() const
{
    QuerySource s;
    s.fields = fields;
    s.table = mq.held().source;
    s.connection = conn;
    return s;
}

void QueryCommands::loadQueryWay()
{
    way = readQueryWay();
}

void QueryCommands::tableOpened(const QString& table, const QueryFields& queryFields, const QString& defaultOrder,
                                int tableKind)
{
    mq.tableOpened(table, defaultOrder);
    fields = queryFields;
    kind = tableKind;
}

void QueryCommands::setEntryView(DataSet* ds, const QueryFields& f)
{
    entry = ds;
    entryFields = f;
}

bool QueryCommands::openJoin(const QString& join, const QueryFields& resultFields)
{
    if (!mq.openJoin(join))
        return false;
    fields = resultFields;
    return true;
}

bool QueryCommands::inQueryMode()
{
    if (subsystem == 2)
        return true;
    warning(window, QStringLiteral("查询状态才能查询！  "));
    return false;
}

// ---- commands ----------------------------------------------------------------

void QueryCommands::queryButtonClicked()
{
    if (subsystem == 1) {
        if (entry && entry->active())
            runLocate();
        return;
    }
    if (subsystem != 2 || !mq.dataSet()->active())
        return;
    if (kind == 1 || kind == 2) {
        warning(window, QStringLiteral("此表不能进行查询！  "));
        return;
    }
    switch (way) {
    case 1: runSingleItem(); break;
    case 2: runRange(); break;
    case 3: runGeneral(); break;
    case 4: runAdvanced(); break;
    default: chooseQueryWay(); break;
    }
}

void QueryCommands::locate()
{
    if (subsystem != 1) {
        warning(window, QStringLiteral("录入状态才能查找！  "));
        return;
    }
    runLocate();
}

void QueryCommands::singleItemQuery()
{
    runSingleItem();
}

void QueryCommands::rangeQuery()
{
    runRange();
}

void QueryCommands::generalQuery()
{
    if (inQueryMode())
        runGeneral();
}

void QueryCommands::advancedQuery()
{
    if (inQueryMode())
        runAdvanced();
}

void QueryCommands::allRecords()
{
    if (inQueryMode())
        mq.showAll();
}

void QueryCommands::sortRecords()
{
    if (subsystem != 2)
        return;
    mq.setOrder(TSortForm::run(window, fields));
}

bool QueryCommands::sortByColumn(const QString& field, FieldKind k)
{
    if (subsystem != 2 || !mq.dataSet()->active() || k == ftMemo || k == ftBlob || k == ftGraphic)
        return false;
    return mq.setOrder(field);
}

void QueryCommands::queryWaySetting()
{
    way = TSetQueryWayForm::run(window);
}

void QueryCommands::chooseQueryWay()
{
    switch (TQueryWayForm::run(window)) {
    case 1: runSingleItem(); break;
    case 2: runRange(); break;
    case 3: runGeneral(); break;
    case 4: runAdvanced(); break;
    case 5: mq.showAll(); break;
    default: break;
    }
}

// ---- the windows ----------------------------------------------------------------

void QueryCommands::runLocate()
{
    if (!entry)
        return;
    QuerySource s;
    s.fields = entryFields;
    s.table = entry->tableName();
    s.connection = conn;
    s.rows = entry;
    TLocateForm::run(window, s, *entry);
}

void QueryCommands::runSingleItem()
{
    TSingleQueryForm f(source(), window);
    if (runModal(f) != QDialog::Accepted)
        return;
    if (f.pinyin()) {
        if (mq.showAll())
            pinyinSearch(*mq.dataSet(), f.fieldName(), f.value(), window);
        return;
    }
    mq.applyCondition(f.condition());
}

void QueryCommands::runRange()
{
    TRangeQueryForm f(source(), window);
    if (runModal(f) != QDialog::Accepted)
        return;
    mq.applyCondition(f.condition());
}

void QueryCommands::runGeneral()
{
    TGeneralQueryForm f(source(), window);
    if (runModal(f) != QDialog::Accepted || f.condition().isEmpty())
        return;
    if (f.pinyin()) {
        if (mq.showAll())
            pinyinSearch(*mq.dataSet(), f.pinyinFieldName(), f.pinyinPattern(), window);
        return;
    }
    mq.applyCondition(f.condition(), QString(), false);
}

void QueryCommands::runAdvanced()
{
    AdvancedQuery q(source());
    if (!q.execute(window) || q.condition.isEmpty())
        return;
    mq.applyCondition(q.condition, q.order, true);
}

} // namespace tess::query
