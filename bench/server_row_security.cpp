// What the server's row policies cost: the main window's refresh of one warehouse and the
// multi-record modify's set update over that warehouse's rows, on an account of 1,000,000
// correspondence rows (or WHINV_BENCH_ROWS) in 20 warehouses, as a plain login bound by the
// policies beside the same statements as the tables' owner, whom they do not bind. The plain
// login may write every warehouse, so that both change and show the same rows.
//
// The server is WHINV_BENCH_POSTGRES, a libpq connection text of a user who may create databases
// and roles (for example the one tools/start-test-postgres.sh prints); without it nothing runs.
// The account is a database made for the run and dropped at its end, with its roles.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "db/demo/demo_data_generator.h"
#include "host/database/postgres/postgres_backend.h"
#include "host/database/server_account_security.h"
#include "mulmodify/modify_queries.h"
#include "support/demo_main_window.h"
#include "support/qt_benchmarks.h"

namespace {

using bench::Fail;

const int kRows = [] {
    const char* rows = std::getenv("WHINV_BENCH_ROWS");
    return rows != nullptr && std::atoi(rows) > 0 ? std::atoi(rows) : 1'000'000;
}();
constexpr int kWarehouses = 20;

std::string Server() {
    const char* server = std::getenv("WHINV_BENCH_POSTGRES");
    return server != nullptr ? server : "";
}

void RunOn(const std::string& conninfo, const std::string& sql) {
    zel::PostgresBackend backend;
    if (!backend.Connect(conninfo) || !backend.ExecuteScript(sql)) {
        Fail(sql + ": " + backend.LastError());
    }
}

// The account, secured, with a window as its owner and one as a plain login.
class SecuredAccount {
public:
    static SecuredAccount& Instance() {
        if (!instance_) {
            instance_.reset(new SecuredAccount());
        }
        return *instance_;
    }
    static void Close() { instance_.reset(); }
    ~SecuredAccount() {
        owner_.reset();
        plain_.reset();
        RunOn(Server(), "drop database if exists " + database_ + " with (force)");
        for (const std::string& role : {clerk_, roles_.users, roles_.admins}) {
            RunOn(Server(), "drop role if exists " + role);
        }
    }

    bench::DemoMainWindow& Owner() { return *owner_; }
    bench::DemoMainWindow& Plain() { return *plain_; }

private:
    SecuredAccount()
        : database_("whinv_bench_rls_" + std::to_string(getpid())),
          roles_(zel::AccountRolesOf(database_)),
          clerk_(database_ + "_clerk") {
        RunOn(Server(), "create database " + database_);
        const std::string account = Server() + " dbname=" + database_;
        zel::demo::DemoOptions options;
        options.output = "postgresql:" + account;
        options.rows = kRows;
        options.items = kRows / kWarehouses;
        options.warehouses = kWarehouses;
        const auto outcome = zel::demo::DemoDataGenerator(options).Generate();
        if (!outcome.Ok()) {
            Fail("cannot build the account: " + outcome.detail);
        }
        zel::PostgresBackend owner;
        std::string error;
        if (!owner.Connect(account) || !zel::SecureServerAccount(owner, error)) {
            Fail("cannot secure the account: " + error + owner.LastError());
        }
        RunOn(account, "create role " + clerk_ + " login in role " + roles_.users +
                           "; insert into aa_user values ('" + clerk_ +
                           "', 'clerk', 0); insert into aa_rowauth select '" + clerk_ +
                           "', 'Warehouse', cWhCode, 'W' from Warehouse; analyze WhInvContrapose, "
                           "Inventory, Warehouse, Person");
        owner_ = std::make_unique<bench::DemoMainWindow>("postgresql:" + account);
        plain_ =
            std::make_unique<bench::DemoMainWindow>("postgresql:" + account + " user=" + clerk_);
    }

    static inline std::unique_ptr<SecuredAccount> instance_;
    std::string database_;
    zel::AccountRoles roles_;
    std::string clerk_;
    std::unique_ptr<bench::DemoMainWindow> owner_;
    std::unique_ptr<bench::DemoMainWindow> plain_;
};

// The rows of the shown warehouse, as the owner counts them.
long ShownRows() {
    bench::DemoMainWindow& owner = SecuredAccount::Instance().Owner();
    const auto count =
        owner.Context().login.db->OpenX("select count(*) from WhInvContrapose where cWhCode='" +
                                        owner.Window().SelectedWarehouse() + "'");
    return count && !count->Eof() ? std::stol(count->Fields(0)->ToString()) : -1;
}

void Refresh(benchmark::State& state, bench::DemoMainWindow& demo) {
    korvel::FrmWhInvContra& window = demo.Window();
    const long rows = ShownRows();
    for (auto _ : state) {
        window.DataRefresh();
        if (window.Grid().Rows() != rows + 1) {
            state.SkipWithError("wrong row count");
        }
    }
}

// The window's set update of one field over the shown warehouse's rows, the value alternating so
// that each run changes every row.
void SetUpdate(benchmark::State& state, bench::DemoMainWindow& demo) {
    korvel::ComponentContext& context = demo.Context();
    const std::string tail = korvel::ModifyQueries::MatchingTail(
        "(whinvcontrapose.cWhCode='" + demo.Window().SelectedWarehouse() + "')", context.login);
    int run = 0;
    for (auto _ : state) {
        const std::string sql = korvel::ModifyQueries::SetUpdate(
            "iSafeNum", "'" + std::to_string(++run % 2) + "'", tail);
        if (!context.login.db->ExecuteX(sql)) {
            state.SkipWithError(context.login.db->LastError().c_str());
        }
    }
}

void BM_RefreshAsOwner(benchmark::State& state) {
    Refresh(state, SecuredAccount::Instance().Owner());
}
void BM_RefreshAsPlainLogin(benchmark::State& state) {
    Refresh(state, SecuredAccount::Instance().Plain());
}
void BM_SetUpdateAsOwner(benchmark::State& state) {
    SetUpdate(state, SecuredAccount::Instance().Owner());
}
void BM_SetUpdateAsPlainLogin(benchmark::State& state) {
    SetUpdate(state, SecuredAccount::Instance().Plain());
}

BENCHMARK(BM_RefreshAsOwner)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RefreshAsPlainLogin)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SetUpdateAsOwner)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SetUpdateAsPlainLogin)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (Server().empty()) {
        std::fprintf(stderr, "WHINV_BENCH_POSTGRES names no server: nothing to measure\n");
        return 0;
    }
    bench::QtBenchmarks benchmarks(argc, argv);
    const int status = benchmarks.Run();
    SecuredAccount::Close();
    return status;
}
