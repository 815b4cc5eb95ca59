#pragma once

#include <QTemporaryDir>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/objects/host_environment.h"
#include "interfaces/cls_common.h"
#include "interfaces/variant.h"
#include "support/scripted_dialogs.h"

namespace zel {
class SqlBackend;
}

namespace zel::test {

// A fresh account database for one test: schema and seed in a temporary folder that is removed
// with the object, reachable under the account name "test" through Environment():
//
//   zel::test::TestDatabase db;
//   db.AddWarehouse("01", "成品库");
//   db.AddInventory("A001", "螺钉");
//   db.AddCorrespondence("01", "A001", {{"iTopSum", 100}, {"cFrequency", "周"}, {"iDays", 3}});
//   auto service = db.OpenService();          // ZelSrvTrans.IClsCommon, Init("test") done
//
// Seeding goes straight to the engine with bound values; a failing seed fails the current test.
//
// With WHINV_TEST_POSTGRES set to a libpq connection text of a user who may create databases,
// the account is a fresh database on that server instead, dropped with the object: the same
// tests then run on both engines. There the login is the account's user, so it gets an
// administrator's row in aa_user, as the seed's "demo" has on a file.
class TestDatabase {
public:
    // Sqlite: a file whatever the run, for the tests of SQLite's own backend.
    enum class Engine { Configured, Sqlite };

    explicit TestDatabase(Engine engine = Engine::Configured);
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;
    ~TestDatabase();

    static constexpr const char* kAccount = "test";

    // The libpq connection text of the server the tests run on, when they run on one.
    static std::optional<std::string> Server();
    bool OnServer() const { return !server_.empty(); }

    // The SQLite file; on a server, the connection text of the account's database.
    const std::string& Path() const { return path_; }
    const std::string& Folder() const { return folder_; }
    // Accounts map kAccount to Path(); dialogs are scripted (Dialogs()); no SQL log.
    std::shared_ptr<HostEnvironment> Environment() const { return environment_; }
    ScriptedDialogs& Dialogs() const { return *dialogs_; }
    // The account as another program names it on its command line (--database): the file, or
    // the server's connection text behind "postgresql:".
    std::string DatabaseArgument() const { return OnServer() ? "postgresql:" + path_ : path_; }
    // A user of the account as another program logs in with it: the user code to put in the
    // account's tables and the --database to name. On a SQLite file the code itself, with the
    // file. On a server a login role of its own, for there the login is the user: named after
    // the account's database, since roles are the whole server's, with the rights on the
    // account's tables that a user is given, and dropped with the database.
    struct UserLogin {
        std::string userId;
        std::string database;
    };
    UserLogin AddLogin(const std::string& code);

    // A new database service on this account, already initialised. The services of one test
    // share one connection, as those of one program do.
    std::shared_ptr<IClsCommon> OpenService() const;
    // A new database service on this account as another program (another thread, a forked child)
    // has it: on a connection of its own.
    std::shared_ptr<IClsCommon> OpenServiceOfAnotherProgram() const;
    // A new connection to the account, through the engine's own backend.
    std::unique_ptr<SqlBackend> OpenBackend(
        ReadingPattern reading = ReadingPattern::kBrowsing) const;

    void AddWarehouse(const std::string& code, const std::string& name = "仓库");
    // Further Inventory columns (cInvStd, cInvCCode, iTopSum, cDefWareHouse, ...) by name.
    void AddInventory(const std::string& code, const std::string& name = "存货",
                      const std::map<std::string, Variant>& columns = {});
    void AddPerson(const std::string& code, const std::string& name = "人员");
    // Further WhInvContrapose columns (iTopSum, cFrequency, iDays, dLastDate, ...) by name.
    void AddCorrespondence(const std::string& warehouse, const std::string& inventory,
                           const std::map<std::string, Variant>& columns = {});

    // A thousand correspondence rows of warehouse `warehouse` (which must exist), items B0001 …
    // B1000: more than a result reads before it is handed out.
    void AddThousandCorrespondences(const std::string& warehouse);

    // Runs any statement on the database directly; false when it fails. A pragma is SQLite's
    // alone: on a server it does nothing.
    bool Execute(const std::string& sql);
    // The first column of the first row of a query, Null when it gives no row.
    Variant Scalar(const std::string& sql);

private:
    void Insert(const std::string& table, const std::map<std::string, Variant>& columns);
    void CreateOnServer(const std::string& server);

    QTemporaryDir dir_;
    std::string folder_;
    std::string path_;
    std::string server_;              // empty for a SQLite file
    std::string database_;            // the database made on the server
    std::vector<std::string> roles_;  // the login roles made on the server
    std::shared_ptr<ScriptedDialogs> dialogs_;
    std::shared_ptr<HostEnvironment> environment_;
    std::unique_ptr<SqlBackend> connection_;
};

}  // namespace zel::test
