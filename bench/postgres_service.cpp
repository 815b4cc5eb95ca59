// The database service on a PostgreSQL server beside bare libpq loops over the same statements
// on the same server: reading the main window's grid query of a warehouse of 100,000 rows, the
// window's refresh of it, a batch add of 2,000 items and the set update of every row.
//
// The server is WHINV_BENCH_POSTGRES, a libpq connection text of a user who may create
// databases (for example the one tools/start-test-postgres.sh prints); without it nothing runs.
// The account is a database made for the run and dropped at its end.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "batchadd/batch_saver.h"
#include "db/demo/demo_data_generator.h"
#include "host/database/postgres/postgres_backend.h"
#include "host/database/tsql_adapter.h"
#include "host/objects/inventory_in_use.h"
#include "mainwindow/grid_query.h"
#include "support/bench_server.h"
#include "support/demo_main_window.h"
#include "support/qt_benchmarks.h"

namespace {

using bench::Fail;

constexpr int kRows = 100'000;
constexpr int kBatchItems = 2'000;
constexpr const char* kTarget = "BENCH";

// A bare connection: libpq and nothing of the host's.
class BareConnection {
public:
    explicit BareConnection(const std::string& conninfo)
        : connection_(PQconnectdb(conninfo.c_str())) {
        if (PQstatus(connection_) != CONNECTION_OK) {
            Fail(PQerrorMessage(connection_));
        }
    }
    ~BareConnection() { PQfinish(connection_); }
    PGconn* Handle() { return connection_; }

    // Streams the rows of a query, touching every value; the number of rows.
    long ReadAll(const std::string& sql) {
        PQsendQuery(connection_, sql.c_str());
        PQsetSingleRowMode(connection_);
        long rows = 0;
        while (PGresult* result = PQgetResult(connection_)) {
            if (PQresultStatus(result) == PGRES_SINGLE_TUPLE) {
                for (int field = 0; field < PQnfields(result); ++field) {
                    benchmark::DoNotOptimize(PQgetvalue(result, 0, field));
                    benchmark::DoNotOptimize(PQgetlength(result, 0, field));
                }
                ++rows;
            }
            PQclear(result);
        }
        return rows;
    }

    // The values of a query's first row; a null reads as empty and is bound as null again.
    std::vector<std::string> Row(const std::string& sql, const std::vector<std::string>& values) {
        PGresult* result = Run(sql, values);
        std::vector<std::string> row;
        for (int field = 0; PQntuples(result) > 0 && field < PQnfields(result); ++field) {
            row.emplace_back(PQgetvalue(result, 0, field));
        }
        PQclear(result);
        return row;
    }

    void Execute(const std::string& sql, const std::vector<std::string>& values = {}) {
        PQclear(Run(sql, values));
    }

private:
    PGresult* Run(const std::string& sql, const std::vector<std::string>& values) {
        std::vector<const char*> pointers;
        for (const auto& value : values) {
            pointers.push_back(value.empty() ? nullptr : value.c_str());
        }
        PGresult* result = PQexecParams(connection_, sql.c_str(), static_cast<int>(values.size()),
                                        nullptr, pointers.data(), nullptr, nullptr, 0);
        const ExecStatusType status = PQresultStatus(result);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            Fail(sql + ": " + PQresultErrorMessage(result));
        }
        return result;
    }

    PGconn* connection_;
};

class ServerAccount {
public:
    static ServerAccount& Instance() {
        if (!instance_) {
            instance_.reset(new ServerAccount());
        }
        return *instance_;
    }
    // Before the application ends, which the window needs while it goes.
    static void Close() { instance_.reset(); }
    ~ServerAccount() {
        window_.reset();
        bench::RunOnServer(bench::BenchServer(),
                           "drop database if exists " + database_ + " with (force)");
    }

    const std::string& Conninfo() const { return conninfo_; }
    bench::DemoMainWindow& Demo() { return *window_; }

    std::string GridQuery() {
        korvel::ComponentContext& context = Demo().Context();
        return korvel::WarehouseRowsQuery(context.catalogue, Demo().Window().SelectedWarehouse(),
                                          context.login.sAuthInv);
    }

    std::vector<std::string> BatchCodes() {
        zel::PostgresBackend backend;
        backend.Open(conninfo_);
        auto statement = backend.Prepare("select cInvCode from Inventory where " +
                                         zel::InventoryInUseCondition("'2024-03-15'") +
                                         " order by cInvCode limit " + std::to_string(kBatchItems));
        std::vector<std::string> codes;
        while (statement && statement->Step() == zel::StepResult::Row) {
            codes.emplace_back(statement->ColumnText(0));
        }
        return codes;
    }

private:
    ServerAccount() : database_("whinv_bench_" + std::to_string(getpid())) {
        bench::RunOnServer(bench::BenchServer(), "create database " + database_);
        conninfo_ = bench::BenchServer() + " dbname=" + database_;
        zel::demo::DemoOptions options;
        options.output = "postgresql:" + conninfo_;
        options.rows = kRows;
        options.items = kRows;
        options.warehouses = 1;
        const auto outcome = zel::demo::DemoDataGenerator(options).Generate();
        if (!outcome.Ok()) {
            Fail("cannot build the account: " + outcome.detail);
        }
        bench::RunOnServer(conninfo_, "analyze");
        window_ = std::make_unique<bench::DemoMainWindow>("postgresql:" + conninfo_);
    }

    static inline std::unique_ptr<ServerAccount> instance_;
    std::string database_;
    std::string conninfo_;
    std::unique_ptr<bench::DemoMainWindow> window_;
};

void BM_PgBareRead(benchmark::State& state) {
    ServerAccount& account = ServerAccount::Instance();
    BareConnection bare(account.Conninfo());
    const std::string sql = zel::TsqlAdapter::ToPostgres(account.GridQuery());
    for (auto _ : state) {
        if (bare.ReadAll(sql) != kRows) {
            state.SkipWithError("wrong row count");
        }
    }
}

void BM_PgOpenX(benchmark::State& state) {
    ServerAccount& account = ServerAccount::Instance();
    zel::IClsCommon& service = *account.Demo().Context().login.db;
    for (auto _ : state) {
        const auto rows = service.OpenX(account.GridQuery());
        long count = 0;
        for (; rows && !rows->Eof(); rows->MoveNext()) {
            for (int field = 0; field < rows->FieldCount(); ++field) {
                benchmark::DoNotOptimize(rows->Fields(field));
            }
            ++count;
        }
        if (count != kRows) {
            state.SkipWithError("wrong row count");
        }
    }
}

void BM_PgRefresh(benchmark::State& state) {
    ServerAccount& account = ServerAccount::Instance();
    korvel::FrmWhInvContra& window = account.Demo().Window();
    for (auto _ : state) {
        window.DataRefresh();
        if (window.Grid().Rows() != kRows + 1) {
            state.SkipWithError("wrong row count");
        }
    }
}

// The window's set update of one field over every row of the warehouse, the value alternating so
// that each run changes every row.
std::string SetUpdate(int run) {
    return "update WhInvContrapose set  iSafeNum=" + std::to_string(run % 2) +
           " from whinvcontrapose left join Inventory on whinvcontrapose.cInvCode = "
           "Inventory.cInvCode where (whinvcontrapose.cWhCode <> '" +
           kTarget + "')";
}

void BM_PgBareSetUpdate(benchmark::State& state) {
    BareConnection bare(ServerAccount::Instance().Conninfo());
    int run = 0;
    for (auto _ : state) {
        bare.Execute(zel::TsqlAdapter::ToPostgres(SetUpdate(++run)));
    }
}

void BM_PgSetUpdate(benchmark::State& state) {
    zel::IClsCommon& service = *ServerAccount::Instance().Demo().Context().login.db;
    int run = 0;
    for (auto _ : state) {
        if (!service.ExecuteX(SetUpdate(++run))) {
            state.SkipWithError(service.LastError().c_str());
        }
    }
}

// The batch's warehouse comes after the window has shown, which thus shows the demo warehouse.
void EmptyTarget() {
    BareConnection bare(ServerAccount::Instance().Conninfo());
    bare.Execute(std::string("insert into Warehouse (cWhCode, cWhName) values ('") + kTarget +
                 "', 'bench') on conflict do nothing");
    bare.Execute(std::string("delete from WhInvContrapose where cWhCode = '") + kTarget + "'");
}

void BM_PgBareBatchAdd(benchmark::State& state) {
    ServerAccount& account = ServerAccount::Instance();
    const auto codes = account.BatchCodes();
    BareConnection bare(account.Conninfo());
    for (auto _ : state) {
        state.PauseTiming();
        EmptyTarget();
        state.ResumeTiming();
        for (const std::string& code : codes) {
            // The item's defaults, then its row in a transaction of its own, as the save does.
            const auto defaults = bare.Row(
                "select iTopSum, iLowSum, iSafeNum, iWastage, iFrequency, cFrequency, iDays, "
                "dLastDate from Inventory where cInvCode = $1 limit 1",
                {code});
            std::vector<std::string> values = {kTarget, code};
            values.insert(values.end(), defaults.begin(), defaults.end());
            bare.Execute(
                "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum, iLowSum, "
                "iSafeNum, iWastage, iFrequency, cFrequency, iDays, dLastDate, "
                "cCreatePerson) values ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, 'demo')",
                values);
        }
    }
}

void BM_PgBatchAdd(benchmark::State& state) {
    ServerAccount& account = ServerAccount::Instance();
    const auto codes = account.BatchCodes();
    for (auto _ : state) {
        state.PauseTiming();
        EmptyTarget();
        state.ResumeTiming();
        const auto outcome =
            korvel::BatchSaver(account.Demo().Context(), {}).SaveBatch(kTarget, codes);
        if (outcome.saved != static_cast<int>(codes.size())) {
            state.SkipWithError("not every item was saved");
        }
    }
}

BENCHMARK(BM_PgBareRead)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PgOpenX)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PgRefresh)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PgBareSetUpdate)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PgSetUpdate)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PgBareBatchAdd)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PgBatchAdd)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (bench::BenchServer().empty()) {
        std::fprintf(stderr, "WHINV_BENCH_POSTGRES names no server: nothing to measure\n");
        return 0;
    }
    bench::QtBenchmarks benchmarks(argc, argv);
    const int status = benchmarks.Run();
    ServerAccount::Close();
    return status;
}
