#include "tests/fuzz/fuzz_account.h"

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "host/database/account_database.h"
#include "host/database/sqlite/sqlite_backend.h"

namespace zel::fuzz {
namespace {

[[noreturn]] void Abort(const std::string& reason) {
    std::fprintf(stderr, "fuzz account: %s\n", reason.c_str());
    std::abort();
}

std::unique_ptr<SqlBackend> Made() {
    static const QTemporaryDir folder;
    const std::string path = folder.filePath("account.db").toStdString();
    std::string error;
    if (!folder.isValid() || !CreateAccountDatabase(path, error)) {
        Abort(error);
    }
    auto backend = std::make_unique<SqliteBackend>();
    if (!backend->Open(path) ||
        !backend->ExecuteScript(
            "insert into Warehouse (cWhCode, cWhName) values ('01', '成品库');"
            "insert into Inventory (cInvCode, cInvName) values ('A001', '螺钉'), ('A002', '螺母');"
            "insert into Person (cPersonCode, cPersonName) values ('P01', '张三');")) {
        Abort(backend->LastError());
    }
    return backend;
}

}  // namespace

SqlBackend& Account() {
    static const std::unique_ptr<SqlBackend> backend = Made();
    return *backend;
}

}  // namespace zel::fuzz
