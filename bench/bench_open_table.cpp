// Opening a table of 1,000,000 rows and reading its first and last 50 rows,
// through the data set and through the raw SQLite API in the same run.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <sqlite3.h>

#include "common/connection.h"
#include "common/dataset.h"

using namespace tess;

namespace {

constexpr int kRows = 1000000;

struct Fixture {
    QTemporaryDir dir;
    QString file;
    Connection conn;
    sqlite3* raw = nullptr;

    Fixture()
    {
        file = dir.filePath("sysdb.sqlite");
        ConnectionParams p;
        p.server = "local";
        p.dataDir = dir.path();
        p.create = true;
        conn.open(p);
        conn.exec("Create Table 流水(编号 Integer,姓名 Varchar(20),部门 Varchar(20),日期 DateTime,金额 Money,备注 Text)");
        conn.exec("WITH RECURSIVE s(g) AS (SELECT 1 UNION ALL SELECT g+1 FROM s WHERE g<" + QString::number(kRows) + ") "
                  "INSERT INTO 流水 SELECT g, '姓名' || g, '部门' || (g % 17), "
                  "date('2020-01-01', '+' || (g % 1500) || ' days'), g * 1.25, '备注' FROM s");
        sqlite3_open_v2(file.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    }
    ~Fixture() { sqlite3_close(raw); }
};

Fixture& fx()
{
    static Fixture f;
    return f;
}

// Reads n rows of every column from a prepared statement, as a grid would.
int stepRows(sqlite3_stmt* st, int n)
{
    int got = 0;
    while (got < n && sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(st, c));
        ++got;
    }
    return got;
}

int readRows(DataSet& ds, int from, int n)
{
    int got = 0;
    for (int r = from; r < from + n; ++r, ++got)
        for (int c = 0; c < ds.fieldCount(); ++c)
            benchmark::DoNotOptimize(ds.valueAt(r, c));
    return got;
}

void BM_Raw_FirstPage(benchmark::State& state)
{
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(fx().raw, "SELECT * FROM 流水", -1, &st, nullptr);
        benchmark::DoNotOptimize(stepRows(st, 50));
        sqlite3_finalize(st);
    }
}

// The least any Qt window must do on top of the engine: turn each cell into
// a QString.
void BM_RawQt_FirstPage(benchmark::State& state)
{
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(fx().raw, "SELECT * FROM 流水", -1, &st, nullptr);
        for (int got = 0; got < 50 && sqlite3_step(st) == SQLITE_ROW; ++got)
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                QString s = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)), sqlite3_column_bytes(st, c));
                benchmark::DoNotOptimize(s);
            }
        sqlite3_finalize(st);
    }
}

void BM_DataSet_FirstPage(benchmark::State& state)
{
    for (auto _ : state) {
        DataSet ds(&fx().conn);
        ds.setTableName("流水");
        ds.open();
        benchmark::DoNotOptimize(readRows(ds, 0, 50));
        ds.close();
    }
}

void BM_Raw_LastPage(benchmark::State& state)
{
    for (auto _ : state) {
        // the count, then the last 50 rows in table order
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(fx().raw, "SELECT COUNT(*) FROM 流水", -1, &st, nullptr);
        sqlite3_step(st);
        const int n = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
        sqlite3_prepare_v2(fx().raw, "SELECT * FROM (SELECT rowid AS r, * FROM 流水 ORDER BY rowid DESC LIMIT 50) ORDER BY r", -1, &st, nullptr);
        benchmark::DoNotOptimize(stepRows(st, 50));
        benchmark::DoNotOptimize(n);
        sqlite3_finalize(st);
    }
}

void BM_DataSet_LastPage(benchmark::State& state)
{
    for (auto _ : state) {
        DataSet ds(&fx().conn);
        ds.setTableName("流水");
        ds.open();
        ds.last();
        benchmark::DoNotOptimize(readRows(ds, ds.recordCount() - 50, 50));
        ds.close();
    }
}

BENCHMARK(BM_Raw_FirstPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RawQt_FirstPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DataSet_FirstPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Raw_LastPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DataSet_LastPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    fx();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
