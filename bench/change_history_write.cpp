// What the change history costs the writes: the batch add of 10,000 items into an empty
// warehouse and the multi-record modify's set update of 100,000 rows, each on an account that
// records its history beside a copy whose history triggers were dropped, on SQLite and, when
// WHINV_BENCH_POSTGRES names a server (a libpq connection text of a user who may create
// databases), on PostgreSQL too. The server's accounts are databases made for the run and
// dropped at its end.
//
// On a server on this machine, a run also reports the CPU time of the account's server process
// (server_cpu_ms), which the other users of a shared machine disturb far less than the wall time.
//
// On a shared machine, run with --benchmark_enable_random_interleaving=true, so that a passing
// load weighs on both sides alike, and compare the medians.
//
// The copy without history still names its writer before each write (the program does not know
// the triggers are gone), so the difference is what the triggers add. The history is emptied
// before each run, so that every run writes into the same state.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QWidget>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "batchadd/batch_saver.h"
#include "db/demo/demo_data_generator.h"
#include "host/objects/inventory_in_use.h"
#include "mulmodify/modifiable_field.h"
#include "mulmodify/modify_queries.h"
#include "mulmodify/set_update.h"
#include "support/bare_connection.h"
#include "support/bench_server.h"
#include "support/demo_account.h"
#include "support/demo_main_window.h"
#include "support/qt_benchmarks.h"

namespace {

using bench::Fail;

constexpr std::int64_t kBatchItems = 10'000;
constexpr std::int64_t kSetRows = 100'000;
constexpr const char* kBatchTarget = "BENCH";
constexpr const char* kSetWarehouse = "SET";

enum class Engine { kSqlite, kPostgres };
enum class History { kKept, kDropped };

// An account of 100,000 items: warehouse SET holds a row for each, warehouse BENCH none.
class Account {
public:
    Account(Engine engine, History history) : engine_(engine) {
        const std::string name = history == History::kKept ? "kept" : "dropped";
        if (engine == Engine::kSqlite) {
            location_ = dir_.path().toStdString() + "/" + name + ".db";
        } else {
            database_ = "whinv_bench_history_" + name + "_" + std::to_string(getpid());
            bench::RunOnServer(bench::BenchServer(), "create database " + database_);
            location_ = bench::BenchServer() + " dbname=" + database_;
        }
        zel::demo::DemoOptions options;
        options.output = engine == Engine::kSqlite ? location_ : "postgresql:" + location_;
        options.rows = 1000;
        options.items = kSetRows;
        options.warehouses = 2;
        const auto outcome = zel::demo::DemoDataGenerator(options).Generate();
        if (!outcome.Ok()) {
            Fail("cannot build the account: " + outcome.detail);
        }
        Execute(std::string("insert into Warehouse (cWhCode, cWhName) values ('") + kBatchTarget +
                "', 'batch'), ('" + kSetWarehouse + "', 'set');" +
                "insert into WhInvContrapose (cWhCode, cInvCode) select '" + kSetWarehouse +
                "', cInvCode from Inventory");
        if (history == History::kDropped) {
            DropHistoryTriggers();
        }
        EmptyHistory();
        if (engine == Engine::kPostgres) {
            Execute("analyze WhInvContrapose, Inventory, Warehouse");
        }
        demo_ = std::make_unique<bench::DemoMainWindow>(
            engine == Engine::kSqlite ? location_ : "postgresql:" + location_);
        batchCodes_ = BatchCodes();
        if (static_cast<std::int64_t>(batchCodes_.size()) != kBatchItems) {
            Fail("the demo account holds too few items in use");
        }
    }
    ~Account() {
        demo_.reset();
        if (engine_ == Engine::kPostgres) {
            bench::RunOnServer(bench::BenchServer(),
                               "drop database if exists " + database_ + " with (force)");
        }
    }
    Account(const Account&) = delete;
    Account& operator=(const Account&) = delete;

    bench::DemoMainWindow& Demo() { return *demo_; }
    const std::vector<std::string>& Codes() const { return batchCodes_; }
    bool OnServer() const { return engine_ == Engine::kPostgres; }

    // Beside the program, as the account's owner.
    void Execute(const std::string& sql) {
        if (engine_ == Engine::kSqlite) {
            bench::BareConnection(location_).Execute(sql);
        } else {
            bench::RunOnServer(location_, sql);
        }
    }
    void EmptyHistory() {
        Execute(engine_ == Engine::kSqlite
                    ? "delete from whinv_change_value; delete from whinv_change"
                    : "truncate whinv_change_value, whinv_change");
    }
    // The CPU seconds the server has spent for the program's connection so far; 0 when the
    // server runs elsewhere.
    double ServerCpuSeconds() {
        if (backendPid_ == 0) {
            backendPid_ = Count("select pg_backend_pid()");
        }
        std::ifstream stat("/proc/" + std::to_string(backendPid_) + "/stat");
        std::string line;
        std::getline(stat, line);
        // After the command's name in brackets: state, then utime and stime as the 12th and 13th.
        std::istringstream fields(line.substr(line.rfind(')') + 1));
        std::string field;
        double ticks = 0;
        for (int i = 1; i <= 13 && fields >> field; ++i) {
            ticks += i >= 12 ? std::stod(field) : 0;
        }
        return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
    }
    long Count(const std::string& sql) {
        const auto rows = demo_->Context().login.db->OpenX(sql);
        return rows && !rows->Eof() ? std::stol(rows->Fields(0)->ToString()) : -1;
    }

private:
    void DropHistoryTriggers() {
        if (engine_ == Engine::kPostgres) {
            Execute(
                "drop trigger WhInvContrapose_history_add on WhInvContrapose;"
                "drop trigger WhInvContrapose_history_change on WhInvContrapose;"
                "drop trigger WhInvContrapose_history_delete on WhInvContrapose");
            return;
        }
        bench::BareConnection connection(location_);
        for (const auto& name : connection.Texts("select name from sqlite_master where "
                                                 "type = 'trigger' and name like '%history%'")) {
            connection.Execute("drop trigger " + name);
        }
    }

    std::vector<std::string> BatchCodes() {
        const auto rows = demo_->Context().login.db->OpenX(
            "select cInvCode from Inventory where " + zel::InventoryInUseCondition("'2024-03-15'") +
            " order by cInvCode");
        std::vector<std::string> codes;
        for (; rows && !rows->Eof() && static_cast<std::int64_t>(codes.size()) < kBatchItems;
             rows->MoveNext()) {
            codes.push_back(rows->Fields(0)->ToString());
        }
        return codes;
    }

    Engine engine_;
    QTemporaryDir dir_;
    std::string database_;
    std::string location_;
    std::unique_ptr<bench::DemoMainWindow> demo_;
    std::vector<std::string> batchCodes_;
    long backendPid_ = 0;
};

// Server CPU over the timed parts of a run.
class ServerCpu {
public:
    explicit ServerCpu(Account& account) : account_(account) {}
    void Start() { started_ = account_.ServerCpuSeconds(); }
    void Stop() { spent_ += account_.ServerCpuSeconds() - started_; }
    void Report(benchmark::State& state) const {
        if (!account_.OnServer()) {
            return;
        }
        state.counters["server_cpu_ms"] =
            benchmark::Counter(spent_ * 1000 / static_cast<double>(state.iterations()));
    }

private:
    Account& account_;
    double started_ = 0;
    double spent_ = 0;
};

// Made on first use and kept to the end: building one costs more than the runs on it.
std::unique_ptr<Account> accounts[2][2];

Account& AccountOf(Engine engine, History history) {
    auto& account = accounts[static_cast<int>(engine)][static_cast<int>(history)];
    if (!account) {
        account = std::make_unique<Account>(engine, history);
    }
    return *account;
}

void BatchAdd(benchmark::State& state, Engine engine, History history) {
    Account& account = AccountOf(engine, history);
    ServerCpu serverCpu(account);
    for (auto _ : state) {
        state.PauseTiming();
        account.Execute(std::string("delete from WhInvContrapose where cWhCode = '") +
                        kBatchTarget + "'");
        account.EmptyHistory();
        serverCpu.Start();
        state.ResumeTiming();
        const auto outcome = korvel::BatchSaver(account.Demo().Context(), {})
                                 .SaveBatch(kBatchTarget, account.Codes());
        state.PauseTiming();
        serverCpu.Stop();
        state.ResumeTiming();
        if (outcome.saved != kBatchItems) {
            Fail("saved " + std::to_string(outcome.saved));
        }
    }
    state.counters["rows_per_s"] = benchmark::Counter(
        static_cast<double>(kBatchItems * state.iterations()), benchmark::Counter::kIsRate);
    serverCpu.Report(state);
}

// The window's set update of one field over warehouse SET, a new value each run.
void SetUpdate(benchmark::State& state, Engine engine, History history) {
    Account& account = AccountOf(engine, history);
    bench::DemoMainWindow& demo = account.Demo();
    QWidget window;
    bool modified = false;
    korvel::ModifyScope scope{demo.Context(), window, modified};
    const auto field = *korvel::FindModifiableField("iWastage");
    const std::string tail = korvel::ModifyQueries::MatchingTail(
        std::string("(whinvcontrapose.cWhCode='") + kSetWarehouse + "')", demo.Context().login);
    ServerCpu serverCpu(account);
    static int value = 0;
    for (auto _ : state) {
        state.PauseTiming();
        account.EmptyHistory();
        const std::string text = std::to_string(++value);
        serverCpu.Start();
        state.ResumeTiming();
        korvel::RunSetUpdate(scope, field, "whinvcontrapose.iWastage", text, tail);
        state.PauseTiming();
        serverCpu.Stop();
        if (account.Count(std::string("select count(*) from WhInvContrapose where cWhCode = '") +
                          kSetWarehouse + "' and iWastage = " + text) != kSetRows) {
            Fail("the set update missed rows");
        }
        state.ResumeTiming();
    }
    state.counters["rows_per_s"] = benchmark::Counter(
        static_cast<double>(kSetRows * state.iterations()), benchmark::Counter::kIsRate);
    serverCpu.Report(state);
}

void Register(Engine engine) {
    const std::string engineName = engine == Engine::kSqlite ? "/sqlite/" : "/postgres/";
    for (const History history : {History::kKept, History::kDropped}) {
        const std::string name =
            engineName + (history == History::kKept ? "history" : "no_history");
        benchmark::RegisterBenchmark(("BatchAdd" + name).c_str(), BatchAdd, engine, history)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(5);
        benchmark::RegisterBenchmark(("SetUpdate" + name).c_str(), SetUpdate, engine, history)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(5);
    }
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
    for (auto& engine : accounts) {
        for (auto& account : engine) {
            account.reset();
        }
    }
    return status;
}
