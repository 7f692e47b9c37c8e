// Reading a large order table into Json rows, and writing a large position file.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "OrderFiles.h"
#include "fileorder/CWriteFile.h"
#include "fileorder/DbfTable.h"

namespace {

constexpr int kOrderRecords = 300000;
constexpr int kPositionRows = 10000;

// An order table of the usual six fields, every record different.
QString OrderTablePath(const QTemporaryDir& dir) {
    std::vector<OrderFiles::Row> rows(kOrderRecords);
    for (int i = 0; i < kOrderRecords; ++i) {
        rows[i] = {i % 2 ? "SSE" : "SZSE", std::to_string(10000000 + i), i % 3 ? "1" : "2", "0",
                   i % 5 ? "0" : "1",      std::to_string(1 + i % 500)};
    }
    const QString path = dir.filePath("880012_Order_2.dbf");
    OrderFiles::Table(rows).WriteFile(path);
    return path;
}

void BM_DbfRead(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = OrderTablePath(dir);
    for (auto _ : state) {
        DbfTable table;
        if (DbfTable::ReadFile(path, table) != DbfTable::Status::Ok) {
            state.SkipWithError("the order table could not be read");
            break;
        }
        Json::Value rows = table.Rows();
        benchmark::DoNotOptimize(rows);
    }
    state.SetItemsProcessed(state.iterations() * kOrderRecords);
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}
BENCHMARK(BM_DbfRead)->Unit(benchmark::kMillisecond);

void BM_DbfWrite(benchmark::State& state) {
    QTemporaryDir dir;
    Json::Value positions(Json::arrayValue);
    for (int i = 0; i < kPositionRows; ++i) {
        Json::Value record(Json::objectValue);
        record["137"] = i % 100;
        record["63"] = std::to_string(10000000 + i);
        record["125"] = "0";
        record["112"] = i % 2 ? "0" : "1";
        record["54"] = "SSE";
        record["136"] = 0.1 + i * 0.0001;
        record["131"] = i % 2 ? "C" : "P";
        record["135"] = i % 100 + 1;
        positions.append(std::move(record));
    }
    const QString path = dir.filePath("880012_Position.dbf");
    for (auto _ : state) {
        if (!CWriteFile::WriteRows(path, CWriteFile::PositionRows(positions))) {
            state.SkipWithError("the position file could not be written");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kPositionRows);
}
BENCHMARK(BM_DbfWrite)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
