// The import of a workbook of 100,000 rows of one warehouse, as the export of the warehouse writes
// it (item code, name and specification, the limits, loss rate, last check, storekeeper), with
// both limits of every row changed:
//   PreviewXlsx     opening the workbook, matching its columns and judging every row;
//   Apply           writing the 100,000 changed rows the preview found;
//   BareUpdateLoop  the same 100,000 updates as one prepared UPDATE executed row after row
//                   inside BEGIN/COMMIT through the engine's own C API (sqlite3, libpq), on the
//                   same table with its history triggers, the writer named once for the
//                   transaction as the program names it, so that both record one history entry.
// On SQLite and, when WHINV_BENCH_POSTGRES names a server (a libpq connection text of a user who
// may create databases), on PostgreSQL too. The history is emptied before each run, so that
// every run writes into the same state; each run writes new values.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/correspondence_fields.h"
#include "host/controls/export/xlsx_table_writer.h"
#include "host/controls/import/table_reader_factory.h"
#include "import/import_apply.h"
#include "import/import_column_mapping.h"
#include "import/import_preview.h"
#include "support/import_account.h"
#include "support/qt_benchmarks.h"

namespace {

using bench::Fail;
using bench::ImportAccount;
using Engine = ImportAccount::Engine;

// Set up as the host's connection, so that the commit costs the same on both sides.
const char* const kHostSettings =
    "pragma journal_mode=wal; pragma synchronous=normal; pragma foreign_keys=on; "
    "pragma cache_size=-65536";
const char* const kUpdate =
    "update WhInvContrapose set iTopSum = $1, iLowSum = $2 where cWhCode = $3 and cInvCode = $4";

std::unique_ptr<ImportAccount> accounts[2];
// Each run writes values of its own, whichever side runs it.
int lastRun = 0;

ImportAccount& AccountOf(Engine engine) {
    auto& account = accounts[static_cast<int>(engine)];
    if (!account) {
        account = std::make_unique<ImportAccount>(engine, "import_apply");
    }
    return *account;
}

// The values of run number run: every row changes both limits, the highest with decimals.
struct Limits {
    std::string top;
    std::string low;
};
Limits LimitsOf(int run, std::size_t row) {
    return {std::to_string(1000 + run) + "." + std::to_string(100000 + row % 900000).substr(1),
            std::to_string(10 + run)};
}

std::vector<std::string> Codes(ImportAccount& account) {
    std::vector<std::string> codes;
    const auto rows = account.Demo().Context().login.db->OpenX(
        std::string("select cInvCode from WhInvContrapose where cWhCode = '") +
        ImportAccount::kWarehouse + "' order by cInvCode");
    for (; rows && !rows->Eof(); rows->MoveNext()) {
        codes.push_back(rows->Fields(0)->ToString());
    }
    if (static_cast<std::int64_t>(codes.size()) != ImportAccount::kRows) {
        Fail("the account holds " + std::to_string(codes.size()) + " rows to change");
    }
    return codes;
}

void EmptyHistory(ImportAccount& account) {
    account.Execute(account.OnServer()
                        ? "truncate whinv_change_value, whinv_change"
                        : "delete from whinv_change_value; delete from whinv_change");
}

void ExpectChanged(ImportAccount& account, int run) {
    const std::int64_t changed =
        account.Count(std::string("select count(*) from WhInvContrapose where cWhCode = '") +
                      ImportAccount::kWarehouse + "' and iLowSum = " + LimitsOf(run, 0).low);
    if (changed != ImportAccount::kRows) {
        Fail("the run changed " + std::to_string(changed) + " rows");
    }
}

// The export's columns of a warehouse's rows, as the grid captions them.
constexpr const char* kWorkbookColumns[] = {"cInvCode", "cInvName",  "cInvStd",
                                            "iTopSum",  "iLowSum",   "iSafeNum",
                                            "iWastage", "dLastDate", "cWhPersonCode"};

// The workbook of run number run: the warehouse's rows with both limits changed.
std::string WriteWorkbook(ImportAccount& account, int run) {
    korvel::ComponentContext& context = account.Demo().Context();
    zel::PrintData table;
    std::vector<zel::ExportColumn> columns;
    for (const char* column : kWorkbookColumns) {
        const auto index =
            static_cast<std::size_t>(korvel::FieldNamed(column)->catalogue.captionIndex);
        table.headers.push_back(context.catalogue.arrFldCaption[index]);
        const zel::FieldKind kind = zel::KindOfField(column);
        columns.push_back({kind, kind == zel::FieldKind::kNumber ? 6
                                 : kind == zel::FieldKind::kDate ? zel::kExportDateSize
                                                                 : 60});
    }
    const auto rows = context.login.db->OpenX(
        std::string("select c.cInvCode, i.cInvName, i.cInvStd, c.iSafeNum, c.iWastage, "
                    "c.dLastDate, c.cWhPersonCode from WhInvContrapose c join Inventory i on "
                    "i.cInvCode = c.cInvCode where c.cWhCode = '") +
        ImportAccount::kWarehouse + "' order by c.cInvCode");
    table.cells.reserve(static_cast<std::size_t>(ImportAccount::kRows) * columns.size());
    std::size_t row = 0;
    for (; rows && !rows->Eof(); rows->MoveNext(), ++row) {
        const Limits limits = LimitsOf(run, row);
        for (const std::string& cell :
             {rows->Fields(0)->ToString(), rows->Fields(1)->ToString(), rows->Fields(2)->ToString(),
              limits.top, limits.low, rows->Fields(3)->ToString(), rows->Fields(4)->ToString(),
              rows->Fields(5)->ToString(), rows->Fields(6)->ToString()}) {
            table.cells.push_back(cell);
        }
    }
    const std::string path = account.Folder() + "/run" + std::to_string(run) + ".xlsx";
    std::string reason;
    if (row != static_cast<std::size_t>(ImportAccount::kRows) ||
        !zel::WriteXlsxTable(path, table, columns, reason)) {
        Fail("cannot write the workbook of " + std::to_string(row) + " rows: " + reason);
    }
    return path;
}

korvel::ImportPreviewResult Preview(ImportAccount& account, const std::string& path) {
    korvel::ComponentContext& context = account.Demo().Context();
    const auto reader = zel::OpenTableReader(QString::fromStdString(path), zel::TableFormat::kXlsx);
    if (reader->Error().kind != zel::TableReadError::Kind::kNone) {
        Fail(reader->Error().message);
    }
    const auto mapping =
        korvel::ImportColumnMapping::Match(reader->Header(), context.catalogue, *context.login.pub);
    korvel::ImportPreviewResult preview =
        korvel::ImportPreview(context).Run(*reader, {mapping, ImportAccount::kWarehouse, {}});
    if (preview.status != korvel::ImportPreviewResult::Status::kDone ||
        preview.Count(korvel::ImportVerdict::kChanged) !=
            static_cast<std::size_t>(ImportAccount::kRows)) {
        Fail("the preview found " + std::to_string(preview.Count(korvel::ImportVerdict::kChanged)) +
             " changed rows: " + preview.message + preview.readError.message);
    }
    return preview;
}

void PreviewXlsx(benchmark::State& state, Engine engine) {
    ImportAccount& account = AccountOf(engine);
    const std::string workbook = WriteWorkbook(account, ++lastRun);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Preview(account, workbook));
    }
    state.counters["rows_per_s"] =
        benchmark::Counter(static_cast<double>(ImportAccount::kRows * state.iterations()),
                           benchmark::Counter::kIsRate);
}

void Apply(benchmark::State& state, Engine engine) {
    ImportAccount& account = AccountOf(engine);
    for (auto _ : state) {
        state.PauseTiming();
        const int run = ++lastRun;
        const korvel::ImportPreviewResult preview = Preview(account, WriteWorkbook(account, run));
        EmptyHistory(account);
        state.ResumeTiming();
        const korvel::ImportApplyResult applied = korvel::ApplyImport(
            account.Demo().Context().login, preview.rows, korvel::ImportApplyMode::kAllOrNothing);
        state.PauseTiming();
        if (applied.end != korvel::ImportApplyEnd::kApplied ||
            applied.changed != static_cast<std::size_t>(ImportAccount::kRows)) {
            Fail("the apply changed " + std::to_string(applied.changed) +
                 " rows: " + applied.error);
        }
        ExpectChanged(account, run);
        state.ResumeTiming();
    }
}

void BareSqliteRun(sqlite3* db, sqlite3_stmt* update, const std::vector<std::string>& codes,
                   int run) {
    auto execute = [&](const char* sql) {
        if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
            Fail(std::string(sql) + ": " + sqlite3_errmsg(db));
        }
    };
    execute("begin");
    execute("insert into whinv_change_context (iOne, cUser) values (1, 'demo')");
    for (std::size_t row = 0; row < codes.size(); ++row) {
        const Limits limits = LimitsOf(run, row);
        sqlite3_bind_double(update, 1, std::stod(limits.top));
        sqlite3_bind_double(update, 2, std::stod(limits.low));
        sqlite3_bind_text(update, 3, ImportAccount::kWarehouse, -1, SQLITE_STATIC);
        sqlite3_bind_text(update, 4, codes[row].c_str(), -1, SQLITE_STATIC);
        if (sqlite3_step(update) != SQLITE_DONE || sqlite3_changes(db) != 1) {
            Fail(sqlite3_errmsg(db));
        }
        sqlite3_reset(update);
    }
    execute("delete from whinv_change_context");
    execute("commit");
}

void BareSqlite(benchmark::State& state) {
    ImportAccount& account = AccountOf(Engine::kSqlite);
    const std::vector<std::string> codes = Codes(account);
    bench::BareConnection connection(account.Location(), kHostSettings);
    sqlite3_stmt* update = nullptr;
    std::string sql = kUpdate;
    for (const char* number : {"$1", "$2", "$3", "$4"}) {
        sql.replace(sql.find(number), 2, std::string("?") + number[1]);
    }
    sqlite3_prepare_v2(connection.Handle(), sql.c_str(), -1, &update, nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        EmptyHistory(account);
        const int run = ++lastRun;
        state.ResumeTiming();
        BareSqliteRun(connection.Handle(), update, codes, run);
        state.PauseTiming();
        ExpectChanged(account, run);
        state.ResumeTiming();
    }
    sqlite3_finalize(update);
}

class PqConnection {
public:
    explicit PqConnection(const std::string& conninfo) : pq_(PQconnectdb(conninfo.c_str())) {
        if (PQstatus(pq_) != CONNECTION_OK) {
            Fail(PQerrorMessage(pq_));
        }
    }
    ~PqConnection() { PQfinish(pq_); }
    PqConnection(const PqConnection&) = delete;
    PqConnection& operator=(const PqConnection&) = delete;

    void Execute(const char* sql) { Check(PQexec(pq_, sql), sql); }
    void Prepare(const char* name, const char* sql) {
        Check(PQprepare(pq_, name, sql, 0, nullptr), sql);
    }
    void ExecutePrepared(const char* name, const std::vector<const char*>& values) {
        PGresult* result = PQexecPrepared(pq_, name, static_cast<int>(values.size()), values.data(),
                                          nullptr, nullptr, 0);
        if (std::string(PQcmdTuples(result)) != "1") {
            Fail(std::string("the update changed ") + PQcmdTuples(result) +
                 " rows: " + PQresultErrorMessage(result));
        }
        PQclear(result);
    }

private:
    void Check(PGresult* result, const char* sql) {
        const ExecStatusType status = PQresultStatus(result);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            Fail(std::string(sql) + ": " + PQresultErrorMessage(result));
        }
        PQclear(result);
    }

    PGconn* pq_;
};

void BarePostgres(benchmark::State& state) {
    ImportAccount& account = AccountOf(Engine::kPostgres);
    const std::vector<std::string> codes = Codes(account);
    PqConnection connection(account.Location());
    connection.Prepare("update", kUpdate);
    for (auto _ : state) {
        state.PauseTiming();
        EmptyHistory(account);
        const int run = ++lastRun;
        state.ResumeTiming();
        connection.Execute("begin");
        // As the program opens a step: the statements join one history entry.
        connection.Execute("select set_config('whinv.change_step', 'open', false)");
        for (std::size_t row = 0; row < codes.size(); ++row) {
            const Limits limits = LimitsOf(run, row);
            connection.ExecutePrepared("update", {limits.top.c_str(), limits.low.c_str(),
                                                  ImportAccount::kWarehouse, codes[row].c_str()});
        }
        connection.Execute("commit");
        connection.Execute("select set_config('whinv.change_step', '', false)");
        state.PauseTiming();
        ExpectChanged(account, run);
        state.ResumeTiming();
    }
}

void Register(Engine engine) {
    const bool server = engine == Engine::kPostgres;
    const std::string name = server ? "/postgres" : "/sqlite";
    benchmark::RegisterBenchmark(("PreviewXlsx" + name).c_str(), PreviewXlsx, engine)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::RegisterBenchmark(("Apply" + name).c_str(), Apply, engine)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
    benchmark::RegisterBenchmark(("BareUpdateLoop" + name).c_str(),
                                 server ? BarePostgres : BareSqlite)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
}

}  // namespace

int main(int argc, char** argv) {
    bench::QtBenchmarks benchmarks(argc, argv);
    Register(Engine::kSqlite);
    if (!bench::BenchServer().empty()) {
        Register(Engine::kPostgres);
    } else {
        std::fprintf(stderr, "WHINV_BENCH_POSTGRES names no server: SQLite only\n");
    }
    const int status = benchmarks.Run();
    for (auto& account : accounts) {
        account.reset();
    }
    return status;
}
