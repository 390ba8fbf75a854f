#include "runtime/query/mainquery.h"

#include "common/dataset.h"
#include "common/errors.h"
#include "common/prompts.h"

namespace tess::query {

QString recordCountText(int count)
{
    return QStringLiteral("当前数据库记录总数为") + QString::number(count) + QStringLiteral("个！   ");
}

void showError(QWidget* parent, const Error& e)
{
    message(parent, e.text(), QStringLiteral("错误   "), Buttons::Ok, Icon::Error);
}

QString singleTableStatement(const QString& source, const QString& condition, const QString& order)
{
    QStringList lines{QStringLiteral("Select * From ") + source};
    if (!condition.isEmpty())
        lines << QStringLiteral("where ") + condition;
    if (!order.isEmpty())
        lines << QStringLiteral("order by ") + order;
    return lines.join(QLatin1Char('\n'));
}

QString joinStatement(const QString& current, const QString& condition, const QString& order)
{
    QStringList lines = current.split(QLatin1Char('\n'));
    lines.removeIf([](const QString& l) { return l.trimmed().startsWith(QLatin1String("order by"), Qt::CaseInsensitive); });
    QString where = lines.size() > 2 ? lines.takeAt(2) : QString();
    if (!condition.isEmpty())
        where += QStringLiteral(" and ") + condition;
    if (!where.isEmpty())
        lines << where;
    if (!order.isEmpty())
        lines << QStringLiteral("order by ") + order;
    return lines.join(QLatin1Char('\n'));
}

MainQuery::MainQuery(DataSet* adoQuery1, QObject* parent) : QObject(parent), ds(adoQuery1) {}

void MainQuery::tableOpened(const QString& table, const QString& defaultOrder)
{
    h = HeldQuery();
    h.source = table;
    h.defaultOrder = defaultOrder;
}

void MainQuery::openSource(const QString& sort)
{
    ds->close();
    ds->setSql(QStringLiteral("Select * From ") + h.source);
    ds->setSort(sort);
    ds->open();
    h.recordCount = ds->recordCount();
    emit recordCountChanged(h.recordCount);
}

bool MainQuery::run(const QString& statement, Sort sort, const HeldQuery& before)
{
    const QString previousSql = ds->sql();
    const QString previousTable = previousSql.isEmpty() ? ds->tableName() : QString();
    const QString previousSort = ds->sort();
    const bool wasActive = ds->active();
    const QString sortText = sort == Sort::Default ? h.defaultOrder : QString();

    ds->close();
    ds->setSql(statement);
    ds->setSort(sortText);
    QString failure;
    try {
        ds->open();
        return true;
    } catch (const Error& e) {
        failure = e.text();
    }
    if (!sortText.isEmpty()) {
        // The statement may be fine and the default order name a field the
        // result does not have: show the records unsorted. A join's result
        // is not the table, so its missing sort fields are not worth a word.
        ds->setSort(QString());
        try {
            ds->open();
            if (!h.multiTable)
                showError(messageParent, Error(failure));
            return true;
        } catch (const Error& e) {
            failure = e.text();
        }
    }
    h = before;
    if (previousTable.isEmpty())
        ds->setSql(previousSql);
    else
        ds->setTableName(previousTable);
    ds->setSort(previousSort);
    if (wasActive) {
        try {
            ds->open();
        } catch (const Error&) {
            // What opened a moment ago no longer does; the error below says why.
        }
    }
    showError(messageParent, Error(failure));
    return false;
}

void MainQuery::counted(bool refreshPageView, bool warnWhenEmpty)
{
    h.recordCount = ds->recordCount();
    emit recordCountChanged(h.recordCount);
    emit statusText(recordCountText(h.recordCount));
    if (refreshPageView)
        emit pageViewRefresh();
    if (warnWhenEmpty && h.recordCount == 0)
        warning(messageParent, QStringLiteral("数据库中没有您要查找的记录  "));
}

bool MainQuery::openJoin(const QString& join)
{
    const HeldQuery before = h;
    h.multiTable = true;
    if (!run(join, Sort::None, before))
        return false;
    counted(true, false);
    return true;
}

bool MainQuery::applyCondition(const QString& condition, bool refreshPageView)
{
    return applyCondition(condition, h.order, refreshPageView);
}

bool MainQuery::applyCondition(const QString& condition, const QString& order, bool refreshPageView)
{
    const HeldQuery before = h;
    h.condition = condition;
    h.order = order;
    const QString statement = h.multiTable ? joinStatement(ds->sql(), condition, order)
                                           : singleTableStatement(h.source, condition, order);
    if (!run(statement, order.isEmpty() ? Sort::Default : Sort::None, before))
        return false;
    counted(refreshPageView, true);
    return true;
}

bool MainQuery::showAll()
{
    const HeldQuery before = h;
    QString statement;
    if (h.multiTable) {
        // Every condition applied so far already sits on the join's WHERE
        // line; adding the held one again would only repeat it.
        statement = joinStatement(ds->sql(), QString(), QString());
    } else {
        h.condition.clear();
        statement = singleTableStatement(h.source, QString(), QString());
    }
    if (!run(statement, Sort::Default, before))
        return false;
    counted(true, false);
    return true;
}

bool MainQuery::setOrder(const QString& order)
{
    if (order.isEmpty()) {
        h.order.clear();
        return true;
    }
    const HeldQuery before = h;
    h.order = order;
    const QString statement = h.multiTable ? joinStatement(ds->sql(), QString(), order)
                                           : singleTableStatement(h.source, h.condition, order);
    return run(statement, Sort::None, before);
}

bool MainQuery::reorder()
{
    const HeldQuery before = h;
    const QString statement = h.multiTable ? joinStatement(ds->sql(), QString(), h.order)
                                           : singleTableStatement(h.source, h.condition, h.order);
    return run(statement, h.order.isEmpty() ? Sort::Default : Sort::None, before);
}

} // namespace tess::query
