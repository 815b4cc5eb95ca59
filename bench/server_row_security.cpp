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

#include <cstdlib>
#include <memory>
#include <string>

#include "mulmodify/modify_queries.h"
#include "support/bench_server.h"
#include "support/demo_main_window.h"
#include "support/qt_benchmarks.h"

namespace {

using bench::Fail;

const int kRows = [] {
    const char* rows = std::getenv("WHINV_BENCH_ROWS");
    return rows != nullptr && std::atoi(rows) > 0 ? std::atoi(rows) : 1'000'000;
}();
constexpr int kWarehouses = 20;

// The account on the server, its plain login allowed to write every warehouse.
std::unique_ptr<bench::SecuredServerAccount> securedAccount;
bench::SecuredServerAccount& SecuredAccount() {
    if (!securedAccount) {
        securedAccount = std::make_unique<bench::SecuredServerAccount>(
            bench::SecuredAccountOptions{.name = "whinv_bench_rls",
                                         .rows = kRows,
                                         .items = kRows / kWarehouses,
                                         .warehouses = kWarehouses,
                                         .fill = {},
                                         .clerkRight = "W"});
    }
    return *securedAccount;
}

// The rows of the shown warehouse, as the owner counts them.
long ShownRows() {
    bench::DemoMainWindow& owner = SecuredAccount().Owner();
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
    Refresh(state, SecuredAccount().Owner());
}
void BM_RefreshAsPlainLogin(benchmark::State& state) {
    Refresh(state, SecuredAccount().Plain());
}
void BM_SetUpdateAsOwner(benchmark::State& state) {
    SetUpdate(state, SecuredAccount().Owner());
}
void BM_SetUpdateAsPlainLogin(benchmark::State& state) {
    SetUpdate(state, SecuredAccount().Plain());
}

BENCHMARK(BM_RefreshAsOwner)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RefreshAsPlainLogin)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SetUpdateAsOwner)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SetUpdateAsPlainLogin)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (bench::BenchServer().empty()) {
        std::fprintf(stderr, "WHINV_BENCH_POSTGRES names no server: nothing to measure\n");
        return 0;
    }
    bench::QtBenchmarks benchmarks(argc, argv);
    const int status = benchmarks.Run();
    securedAccount.reset();
    return status;
}
