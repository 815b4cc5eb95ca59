// The due list over 1,000,000 correspondence rows: read through the database service, each
// row's next check worked out and the due ones sorted, beside a bare sqlite3_step loop over the
// same adapted query (the same columns under the same rights); and the wait for the window's first
// rows: the query opened and its first slice read, which is all the window needs to show them.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QTemporaryDir>
#include <string>

#include "checkplan/due_checks.h"
#include "checkplan/frm_due_checks.h"
#include "host/database/tsql_adapter.h"
#include "host/objects/host_date.h"
#include "support/bare_connection.h"
#include "support/demo_account.h"
#include "support/demo_main_window.h"
#include "support/qt_benchmarks.h"

namespace {

constexpr std::int64_t kRows = 1'000'000;

class DueAccount {
public:
    static DueAccount& Instance() {
        if (!instance_) {
            instance_.reset(new DueAccount());
        }
        return *instance_;
    }
    // Before the application ends, which the window needs while it goes.
    static void Close() { instance_.reset(); }
    bench::DemoMainWindow& Demo() { return *demo_; }
    const std::string& Path() const { return path_; }
    std::string Query() { return korvel::DueChecksQuery(Demo().Context().login, {}); }

private:
    DueAccount() : path_(dir_.path().toStdString() + "/due.db") {
        bench::BuildDemoAccount(path_, kRows, 100'000, 20);
        demo_ = std::make_unique<bench::DemoMainWindow>(path_);
    }

    static inline std::unique_ptr<DueAccount> instance_;
    QTemporaryDir dir_;
    std::string path_;
    std::unique_ptr<bench::DemoMainWindow> demo_;
};

void BM_BareRead(benchmark::State& state) {
    DueAccount& account = DueAccount::Instance();
    bench::BareConnection bare(account.Path());
    const std::string sql = zel::TsqlAdapter::ToSqlite(account.Query());
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(bare.Handle(), sql.c_str(), -1, &statement, nullptr);
        long rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int column = 0; column < sqlite3_column_count(statement); ++column) {
                benchmark::DoNotOptimize(sqlite3_column_text(statement, column));
            }
            ++rows;
        }
        sqlite3_finalize(statement);
        state.counters["rows"] = static_cast<double>(rows);
    }
}

void BM_DueList(benchmark::State& state) {
    DueAccount& account = DueAccount::Instance();
    zel::IClsCommon& db = *account.Demo().Context().login.db;
    const auto asOf = zel::HostDate::Parse("2024-03-15")->Day();
    for (auto _ : state) {
        bool ok = false;
        const auto due = korvel::ReadDueChecks(db, account.Query(), asOf, ok);
        if (!ok) {
            state.SkipWithError("the query failed");
        }
        state.counters["due"] = static_cast<double>(due.size());
    }
}

void BM_FirstSlice(benchmark::State& state) {
    DueAccount& account = DueAccount::Instance();
    zel::IClsCommon& db = *account.Demo().Context().login.db;
    const auto asOf = zel::HostDate::Parse("2024-03-15")->Day();
    for (auto _ : state) {
        korvel::DueCheckReader reader(db, account.Query(), asOf);
        std::vector<korvel::DueCheck> due;
        reader.ReadSome(korvel::FrmDueChecks::kRecordsPerSlice, due);
        state.counters["due"] = static_cast<double>(due.size());
    }
}

BENCHMARK(BM_BareRead)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DueList)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FirstSlice)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    bench::QtBenchmarks benchmarks(argc, argv);
    const int status = benchmarks.Run();
    DueAccount::Close();
    return status;
}
