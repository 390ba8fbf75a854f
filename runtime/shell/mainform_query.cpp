// The query subsystem's commands: the query windows, sorting, and the order
// a table is shown in.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

#include "common/paths.h"
#include "runtime/query/condition.h"
#include "runtime/query/querycommands.h"
#include "runtime/shell/mainform.h"

namespace tess {

QString TMainForm::defaultOrderOf(const QString& table) const
{
    const IniFile ini = dataIni();
    const QString order = ini.readString(QStringLiteral("OrderField"), table, QString());
    if (!order.isEmpty())
        return order;
    const QStringList numbered = ini.readSection(table + QStringLiteral("AutoID"));
    return numbered.isEmpty() ? QString() : numbered.first() + QStringLiteral(" ASC");
}

void TMainForm::connectQuery()
{
    query::QueryCommands* q = queryCommands;
    q->loadQueryWay();
    connect(q, &query::QueryCommands::statusText, StatusPanel2, &QLabel::setText);
    connect(q, &query::QueryCommands::pageViewRefresh, this, [this] {
        recordCount = queryCommands->held().recordCount;
        updateCurrentRecordText();
        emit masterScrolled();
    });
    connect(&q->mainQuery(), &query::MainQuery::recordCountChanged, this, [this](int n) { recordCount = n; });
    auto menuItem = [this](const char* caption, void (query::QueryCommands::*f)()) {
        QAction* a = item(QString::fromUtf8(caption));
        disconnect(a, &QAction::triggered, this, nullptr);
        connect(a, &QAction::triggered, queryCommands, f);
    };
    menuItem("单项查询", &query::QueryCommands::singleItemQuery);
    menuItem("范围查询", &query::QueryCommands::rangeQuery);
    menuItem("一般查询", &query::QueryCommands::generalQuery);
    menuItem("高级查询", &query::QueryCommands::advancedQuery);
    menuItem("全部记录", &query::QueryCommands::allRecords);
    menuItem("排序", &query::QueryCommands::sortRecords);
    menuItem("查询方式设置", &query::QueryCommands::queryWaySetting);
    connect(ToolButton5, &QAction::triggered, this, [this] {
        if (subsystemMode == 1)
            locateClick();
        else
            queryCommands->queryButtonClicked();
    });
    // A click on a column title of the query result sorts by that column.
    DBGrid1->horizontalHeader()->setSectionsClickable(true);
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (subsystemMode != 2 || DataSource1 != ADOQuery1 || !ADOQuery1->active() || column >= ADOQuery1->fieldCount())
            return;
        const FieldKind kind = column < fieldDef.kinds.size() ? fieldDef.kinds.at(column) : ADOQuery1->fieldKind(column);
        if (queryCommands->sortByColumn(ADOQuery1->fieldName(column), kind))
            for (int c = 0; c < DBGrid1->model()->columnCount(); ++c)
                if (DBGrid1->columnWidth(c) > 100)
                    DBGrid1->setColumnWidth(c, 100);
    });
}

} // namespace tess
