// Reading the main window's grid query over 1,000,000 correspondence rows: through Openforward,
// through OpenX and through a bare sqlite3_step loop over the same adapted statement; the first
// screenful of OpenX, and until its count beside the read is known; and the memory a static
// recordset of 100,000 grid rows takes beside the bytes of its texts.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "host/database/account_database.h"
#include "host/database/cls_common.h"
#include "host/database/static_recordset.h"
#include "host/database/tsql_adapter.h"

namespace {

constexpr int kRows = 1'000'000;
constexpr int kMemoryRows = 100'000;

// The grid query exactly as the main window builds it (select list, joins, where, order).
const std::string kGridSelect =
    "Select WhInvContrapose.cInvCode,Inventory.cInvName,Inventory.cInvStd,Inventory.cGroupCode,"
    "computationGroup.cGroupName,Inventory.cComunitCode,ComputationUnit.cComUnitName "
    ",WhInvContrapose.iTopSum,WhInvContrapose.iLowSum,WhInvContrapose.iSafeNum,"
    "WhInvContrapose.iWastage,WhInvContrapose.iFrequency,WhInvContrapose.cFrequency,"
    "WhInvContrapose.iDays,WhInvContrapose.dLastDate,cWhPersonCode,Person.cPersonName";
const std::string kGridFrom =
    " from WhInvContrapose inner join Inventory  on WhInvContrapose.cInvCode=Inventory.cInvCode "
    " Left Join computationGroup on Inventory.cGroupcode=computationGroup.cGroupCode  Left Join  "
    "ComputationUnit on Inventory.cComUnitCode=ComputationUnit.cComUnitCode Left join Person on "
    "WhInvContrapose.cWhPersonCode=Person.cPersonCode ";
const std::string kGridWhere =
    " where WhInvContrapose.CWhCode='01' and (1=1) ORDER BY WhInvContrapose.cInvCode asc";

void Run(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, error);
        sqlite3_free(error);
        std::abort();
    }
}

void Fill(sqlite3* db) {
    Run(db, "begin");
    Run(db, "insert into Warehouse (cWhCode, cWhName) values ('01', '成品库')");
    for (int i = 0; i < 5; ++i) {
        const std::string code = "G" + std::to_string(i);
        Run(db, ("insert into computationGroup (cGroupCode, cGroupName) values ('" + code +
                 "', '计量组" + code + "')")
                    .c_str());
    }
    const char* units[] = {"个", "件", "箱", "千克", "米", "套", "台", "包", "卷", "张"};
    for (int i = 0; i < 10; ++i) {
        Run(db, ("insert into ComputationUnit (cComUnitCode, cComUnitName, cGroupCode) values "
                 "('U" +
                 std::to_string(i) + "', '" + units[i] + "', 'G" + std::to_string(i % 5) + "')")
                    .c_str());
    }
    for (int i = 0; i < 20; ++i) {
        Run(db, ("insert into Person (cPersonCode, cPersonName) values ('P" + std::to_string(i) +
                 "', '库管员" + std::to_string(i) + "')")
                    .c_str());
    }
    sqlite3_stmt* inventory = nullptr;
    sqlite3_stmt* correspondence = nullptr;
    sqlite3_prepare_v2(db,
                       "insert into Inventory (iId, cInvCode, cInvName, cInvStd, cGroupCode, "
                       "cComUnitCode) values (?, ?, ?, ?, ?, ?)",
                       -1, &inventory, nullptr);
    sqlite3_prepare_v2(db,
                       "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum, iLowSum, "
                       "iSafeNum, iWastage, iFrequency, cFrequency, iDays, dLastDate, "
                       "cWhPersonCode) values ('01', ?, ?, 10, 20, ?, 1, '周', ?, '2024-05-01', ?)",
                       -1, &correspondence, nullptr);
    char code[16];
    for (int i = 0; i < kRows; ++i) {
        std::snprintf(code, sizeof code, "INV%07d", i);
        const std::string name = "六角螺栓镀锌" + std::to_string(i % 997);
        const std::string std =
            "M" + std::to_string(6 + i % 10) + "x" + std::to_string(20 + i % 60);
        const std::string group = "G" + std::to_string(i % 5);
        const std::string unit = "U" + std::to_string(i % 10);
        const std::string person = "P" + std::to_string(i % 20);
        sqlite3_bind_int(inventory, 1, i + 1);
        sqlite3_bind_text(inventory, 2, code, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(inventory, 3, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(inventory, 4, std.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(inventory, 5, group.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(inventory, 6, unit.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(inventory);
        sqlite3_reset(inventory);
        sqlite3_bind_text(correspondence, 1, code, -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(correspondence, 2, 100 + i % 50);
        sqlite3_bind_double(correspondence, 3, i % 2 == 0 ? 0.5 : 1.25);
        sqlite3_bind_int(correspondence, 4, 1 + i % 7);
        sqlite3_bind_text(correspondence, 5, person.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(correspondence);
        sqlite3_reset(correspondence);
    }
    sqlite3_finalize(inventory);
    sqlite3_finalize(correspondence);
    Run(db, "commit");
}

// One account database for all benchmarks of the run.
class BenchAccount {
public:
    static BenchAccount& Instance() {
        static BenchAccount account;
        return account;
    }

    std::shared_ptr<zel::ClsCommon> Service() {
        auto service = std::make_shared<zel::ClsCommon>(environment_);
        service->Init(path_);
        return service;
    }
    const std::string& Path() const { return path_; }

private:
    BenchAccount() : path_(dir_.path().toStdString() + "/bench.db") {
        std::string error;
        if (!zel::CreateAccountDatabase(path_, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::abort();
        }
        sqlite3* db = nullptr;
        sqlite3_open(path_.c_str(), &db);
        Fill(db);
        sqlite3_close(db);
        environment_ = std::make_shared<zel::HostEnvironment>();
    }

    QTemporaryDir dir_;
    std::string path_;
    std::shared_ptr<zel::HostEnvironment> environment_;
};

void ReadAll(zel::IRecordset& rows, benchmark::State& state) {
    long count = 0;
    const int fields = rows.FieldCount();
    for (; !rows.Eof(); rows.MoveNext()) {
        for (int i = 0; i < fields; ++i) {
            auto value = rows.Fields(i);
            benchmark::DoNotOptimize(value);
        }
        ++count;
    }
    if (count != kRows) {
        state.SkipWithError("wrong row count");
    }
}

void BareStep(benchmark::State& state) {
    const std::string sql = zel::TsqlAdapter::ToSqlite(kGridSelect + kGridFrom + kGridWhere);
    sqlite3* db = nullptr;
    sqlite3_open_v2(BenchAccount::Instance().Path().c_str(), &db,
                    SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
        const int columns = sqlite3_column_count(statement);
        long count = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int i = 0; i < columns; ++i) {
                switch (sqlite3_column_type(statement, i)) {
                    case SQLITE_INTEGER:
                        benchmark::DoNotOptimize(sqlite3_column_int64(statement, i));
                        break;
                    case SQLITE_FLOAT:
                        benchmark::DoNotOptimize(sqlite3_column_double(statement, i));
                        break;
                    case SQLITE_NULL:
                        break;
                    default:
                        benchmark::DoNotOptimize(sqlite3_column_text(statement, i));
                        benchmark::DoNotOptimize(sqlite3_column_bytes(statement, i));
                }
            }
            ++count;
        }
        sqlite3_finalize(statement);
        if (count != kRows) {
            state.SkipWithError("wrong row count");
        }
    }
    sqlite3_close(db);
}

void Openforward(benchmark::State& state) {
    auto service = BenchAccount::Instance().Service();
    for (auto _ : state) {
        std::string sql = kGridSelect + kGridFrom + kGridWhere;
        auto rows = service->Openforward(sql);
        ReadAll(*rows, state);
    }
}

void OpenX(benchmark::State& state) {
    auto service = BenchAccount::Instance().Service();
    for (auto _ : state) {
        std::string sql = kGridSelect + kGridFrom + kGridWhere;
        auto rows = service->OpenX(sql);
        ReadAll(*rows, state);
    }
}

// What the main window waits for before it paints: OpenX and the first 200 rows.
void OpenXFirstScreen(benchmark::State& state) {
    auto service = BenchAccount::Instance().Service();
    for (auto _ : state) {
        std::string sql = kGridSelect + kGridFrom + kGridWhere;
        auto rows = service->OpenX(sql);
        for (int row = 0; row < 200 && !rows->Eof(); ++row, rows->MoveNext()) {
            for (int i = 0; i < rows->FieldCount(); ++i) {
                auto value = rows->Fields(i);
                benchmark::DoNotOptimize(value);
            }
        }
        state.PauseTiming();
        rows.reset();
        state.ResumeTiming();
    }
}

// How long after OpenX the status bar can show the count, while nobody reads on.
void OpenXCountBeside(benchmark::State& state) {
    auto service = BenchAccount::Instance().Service();
    for (auto _ : state) {
        std::string sql = kGridSelect + kGridFrom + kGridWhere;
        auto rows = service->OpenX(sql);
        long count = -1;
        while ((count = rows->KnownRecordCount()) < 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (count != kRows) {
            state.SkipWithError("wrong row count");
        }
    }
}

void StaticRecordsetMemory(benchmark::State& state) {
    auto service = BenchAccount::Instance().Service();
    for (auto _ : state) {
        std::string sql = "select top " + std::to_string(kMemoryRows) + " " +
                          kGridSelect.substr(7) + kGridFrom + kGridWhere;
        auto rows = std::dynamic_pointer_cast<zel::StaticRecordset>(service->OpenX(sql));
        if (!rows || rows->RecordCount() != kMemoryRows) {
            state.SkipWithError("wrong row count");
            return;
        }
        const double memory = static_cast<double>(rows->MemoryBytes());
        const double texts = static_cast<double>(rows->TextBytes());
        state.counters["memory_bytes"] = memory;
        state.counters["text_bytes"] = texts;
        state.counters["memory_per_text_byte"] = memory / texts;
    }
}

BENCHMARK(BareStep)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Openforward)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenX)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenXFirstScreen)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(OpenXCountBeside)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(StaticRecordsetMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
