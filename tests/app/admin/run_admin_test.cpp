#include "app/admin/run_admin.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <sstream>

#include "app/admin/admin_command_line.h"
#include "host/database/postgres/postgres_backend.h"
#include "host/database/server_account_security.h"
#include "support/server_roles.h"
#include "support/test_database.h"

namespace zel {
namespace {

using Words = std::vector<std::string>;

constexpr auto npos = std::string::npos;

// An account with warehouses 01 and 02, item A001 and person P01, made ready by init.
class RunAdminTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01", "成品库");
        db.AddWarehouse("02", "原料库");
        db.AddInventory("A001", "螺钉");
        db.AddPerson("P01", "张三");
        if (db.OnServer()) {
            roles.DropAtEnd(Account().users);
            roles.DropAtEnd(Account().admins);
        }
        ASSERT_EQ(Admin({"init"}), kAdminDone) << err.str();
    }

    // whinv-admin with these words on the test account.
    int Admin(const Words& words) { return AdminOn(test::TestDatabase::kAccount, words); }

    int AdminOn(const std::string& database, const Words& words,
                const AccountDirectory* accounts = nullptr) {
        QStringList arguments{"whinv-admin", "--database", QString::fromStdString(database),
                              "--config", QString::fromStdString(db.Folder() + "/none.ini")};
        for (const std::string& word : words) {
            arguments << QString::fromStdString(word);
        }
        const AdminArguments parsed = ParseAdminArguments(arguments);
        if (!parsed.request) {
            ADD_FAILURE() << parsed.text;
            return parsed.status;
        }
        out.str("");
        err.str("");
        return RunAdmin(*parsed.request, accounts ? *accounts : db.Environment()->accounts, out,
                        err);
    }

    // whinv-admin run by another login of the server.
    int AdminAs(const std::string& login, const Words& words) {
        AccountDirectory accounts = db.Environment()->accounts;
        accounts.Set(test::TestDatabase::kAccount, "postgresql:" + roles.ConninfoOf(login));
        return AdminOn(test::TestDatabase::kAccount, words, &accounts);
    }

    // A user code of this test's own: on a server it is a login role, which every database there
    // shares, so it starts with the account's database name; a short stem keeps it a user code.
    std::string NewUserId(const std::string& stem) {
        if (!db.OnServer()) {
            return stem;
        }
        const std::string role = roles.Database() + "_" + stem;
        roles.DropAtEnd(role);
        return role;
    }

    std::string Text(const std::string& sql) { return db.Scalar(sql).ToString(); }

    // The rights the user holds on the code, in order: "" none, "R", "W", "RW" both.
    std::string Held(const std::string& user, const std::string& busObCode,
                     const std::string& code) {
        const auto backend = db.OpenBackend();
        const auto rows = backend->Prepare(
            "select cRight from aa_rowauth where cUserId = ? and cBusObCode = ? and cACCode = ? "
            "order by cRight");
        EXPECT_TRUE(rows && rows->BindText(1, user) && rows->BindText(2, busObCode) &&
                    rows->BindText(3, code));
        std::string held;
        while (rows && rows->Step() == StepResult::Row) {
            held += rows->ColumnText(0);
        }
        return held;
    }

    std::string Grants(const std::string& user) {
        return Text("select count(*) from aa_rowauth where cUserId = '" + user + "'");
    }

    // Whether role belongs to group on the server.
    bool IsMember(const std::string& role, const std::string& group) {
        return Text(
                   "select count(*) from pg_auth_members m join pg_roles g on g.oid = m.roleid "
                   "join pg_roles r on r.oid = m.member where r.rolname = '" +
                   role + "' and g.rolname = '" + group + "'") == "1";
    }

    AccountRoles Account() { return AccountRolesOf(roles.Database()); }

    test::TestDatabase db;
    test::ServerRoles roles{db};
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(RunAdminTest, UserAddMakesTheUserAndAgainSetsItsNameAndFlag) {
    const std::string wang = NewUserId("w");
    const std::string row = "select cUserName || '/' || bAdmin from aa_user where cUserId = '";
    ASSERT_EQ(Admin({"user", "add", wang, "--name", "王五"}), kAdminDone) << err.str();
    EXPECT_NE(out.str().find("Added the user " + wang + " (王五)."), npos) << out.str();
    EXPECT_EQ(Text(row + wang + "'"), "王五/0");

    ASSERT_EQ(Admin({"user", "add", wang, "--name", "王老五", "--admin"}), kAdminDone) << err.str();
    EXPECT_NE(out.str().find("Updated the user " + wang + " (王老五)."), npos) << out.str();
    EXPECT_NE(out.str().find("is an administrator"), npos) << out.str();
    EXPECT_EQ(Text(row + wang + "'"), "王老五/1");

    ASSERT_EQ(Admin({"user", "add", wang, "--name", "王五"}), kAdminDone) << err.str();
    EXPECT_EQ(Text(row + wang + "'"), "王五/0");
}

TEST_F(RunAdminTest, UserRemoveTakesTheUserAndItsGrantsAway) {
    const std::string wang = NewUserId("w");
    const std::string li = NewUserId("l");
    for (const std::string& user : {wang, li}) {
        ASSERT_EQ(Admin({"user", "add", user, "--name", "某人"}), kAdminDone) << err.str();
        ASSERT_EQ(Admin({"grant", user, "--warehouse", "01", "--read"}), kAdminDone) << err.str();
    }
    ASSERT_EQ(Admin({"grant", wang, "--person", "P01", "--write"}), kAdminDone) << err.str();

    ASSERT_EQ(Admin({"user", "remove", wang}), kAdminDone) << err.str();
    EXPECT_NE(out.str().find("Removed the user " + wang + " and 2 of its grants."), npos)
        << out.str();
    EXPECT_EQ(Text("select count(*) from aa_user where cUserId = '" + wang + "'"), "0");
    EXPECT_EQ(Grants(wang), "0");
    EXPECT_EQ(Grants(li), "1");
}

// One right per user and code: each step's grant or revoke leaves exactly the right named.
TEST_F(RunAdminTest, AGrantReplacesTheRightHeldOnTheCode) {
    const std::string wang = NewUserId("w");
    const std::string li = NewUserId("l");
    for (const std::string& user : {wang, li}) {
        ASSERT_EQ(Admin({"user", "add", user, "--name", "某人"}), kAdminDone) << err.str();
    }
    ASSERT_EQ(Admin({"grant", li, "--warehouse", "01", "--write"}), kAdminDone) << err.str();
    ASSERT_EQ(Admin({"grant", wang, "--warehouse", "02", "--read"}), kAdminDone) << err.str();
    struct Step {
        Words words;
        std::string held;
        std::string says;
    };
    const std::vector<Step> steps{
        {{"grant", wang, "--warehouse", "01", "--read"}, "R", "may now read the rows of"},
        {{"grant", wang, "--warehouse", "01", "--write"}, "W", "may now read and write"},
        {{"grant", wang, "--warehouse", "01", "--read"}, "R", "warehouse 01."},
        {{"revoke", wang, "--warehouse", "01"}, "", "no longer holds a grant on warehouse 01"},
        {{"revoke", wang, "--warehouse", "01"}, "", "held no grant on warehouse 01"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.words[0] + " " + step.words.back());
        ASSERT_EQ(Admin(step.words), kAdminDone) << err.str();
        EXPECT_EQ(Held(wang, "Warehouse", "01"), step.held);
        EXPECT_NE(out.str().find(step.says), npos) << out.str();
    }
    EXPECT_EQ(Held(wang, "Warehouse", "02"), "R");
    EXPECT_EQ(Held(li, "Warehouse", "01"), "W");
}

TEST_F(RunAdminTest, AGrantEndsBothRightsWrittenByHandAndNamesEveryObject) {
    const std::string wang = NewUserId("w");
    ASSERT_EQ(Admin({"user", "add", wang, "--name", "王五"}), kAdminDone) << err.str();
    ASSERT_TRUE(
        db.Execute("insert into aa_rowauth (cUserId, cBusObCode, cACCode, cRight) values "
                   "('" +
                   wang + "', 'Warehouse', '01', 'R'), ('" + wang + "', 'Warehouse', '01', 'W')"));
    ASSERT_EQ(Held(wang, "Warehouse", "01"), "RW");
    ASSERT_EQ(Admin({"grant", wang, "--warehouse", "01", "--write"}), kAdminDone) << err.str();
    EXPECT_EQ(Held(wang, "Warehouse", "01"), "W");

    ASSERT_EQ(Admin({"grant", wang, "--inventory", "a001", "--write"}), kAdminDone) << err.str();
    EXPECT_EQ(Held(wang, "Inventory", "A001"), "W");
    ASSERT_EQ(Admin({"grant", wang, "--person", "P01", "--read"}), kAdminDone) << err.str();
    EXPECT_EQ(Held(wang, "Person", "P01"), "R");
}

TEST_F(RunAdminTest, RefusesUnknownUsersAndCodesAndChangesNothing) {
    const std::string wang = NewUserId("w");
    ASSERT_EQ(Admin({"user", "add", wang, "--name", "王五"}), kAdminDone) << err.str();
    ASSERT_EQ(Admin({"grant", wang, "--warehouse", "02", "--read"}), kAdminDone) << err.str();
    struct Refusal {
        Words words;
        std::string says;
    };
    const std::string unknownUser = "nobody is not a user of the account test";
    const std::vector<Refusal> refusals{
        {{"grant", "nobody", "--warehouse", "01", "--read"}, unknownUser},
        {{"revoke", "nobody", "--warehouse", "02"}, unknownUser},
        {{"user", "remove", "nobody"}, unknownUser},
        {{"list", "nobody"}, unknownUser},
        {{"grant", wang, "--warehouse", "99", "--read"}, "has no warehouse with the code 99"},
        {{"grant", wang, "--inventory", "Z999", "--write"},
         "has no inventory item with the code Z999"},
        {{"grant", wang, "--person", "P99", "--read"}, "has no person with the code P99"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.says);
        EXPECT_EQ(Admin(refusal.words), kAdminFailed);
        EXPECT_NE(err.str().find(refusal.says), npos) << err.str();
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_EQ(Text("select count(*) from aa_rowauth"), "1");
    EXPECT_EQ(Text("select count(*) from aa_user where cUserId = 'nobody'"), "0");
}

TEST_F(RunAdminTest, ListShowsTheUsersWithTheirGrants) {
    const std::string wang = NewUserId("w");
    const std::string li = NewUserId("l");
    ASSERT_EQ(Admin({"user", "add", wang, "--name", "王五"}), kAdminDone) << err.str();
    ASSERT_EQ(Admin({"user", "add", li, "--name", "李四", "--admin"}), kAdminDone) << err.str();
    for (const Words& grant :
         {Words{"--warehouse", "02", "--read"}, Words{"--warehouse", "01", "--write"},
          Words{"--inventory", "A001", "--read"}}) {
        Words words{"grant", wang};
        words.insert(words.end(), grant.begin(), grant.end());
        ASSERT_EQ(Admin(words), kAdminDone) << err.str();
    }
    const std::string wangListed = wang +
                                   "\t王五\tuser\n"
                                   "\tinventory\tA001\tread\n"
                                   "\twarehouse\t01\twrite\n"
                                   "\twarehouse\t02\tread\n";
    ASSERT_EQ(Admin({"list", wang}), kAdminDone) << err.str();
    EXPECT_EQ(out.str(), wangListed);

    ASSERT_EQ(Admin({"list"}), kAdminDone) << err.str();
    EXPECT_NE(out.str().find("demo\t演示用户\tadministrator\n"), npos) << out.str();
    EXPECT_NE(out.str().find(li + "\t李四\tadministrator\n"), npos) << out.str();
    EXPECT_NE(out.str().find(wangListed), npos) << out.str();
}

TEST_F(RunAdminTest, AnAccountThatCannotBeOpenedEndsWithStatusOne) {
    const std::string missing =
        db.OnServer() ? "postgresql:" + db.Path() + "_missing" : db.Folder() + "/missing.db";
    EXPECT_EQ(AdminOn(missing, {"list"}), kAdminFailed);
    EXPECT_NE(err.str().find("Cannot open the account"), npos) << err.str();
    EXPECT_EQ(AdminOn(missing, {"user", "add", "wang", "--name", "王五"}), kAdminFailed);
}

TEST_F(RunAdminTest, InitMakesAMissingAccountFileAndKeepsTheRowsOfOne) {
    if (db.OnServer()) {
        GTEST_SKIP() << "a file's own: a server's database is its administrator's to make";
    }
    const std::string file = db.Folder() + "/new.db";
    ASSERT_EQ(AdminOn(file, {"init"}), kAdminDone) << err.str();
    EXPECT_TRUE(std::filesystem::is_regular_file(file));
    ASSERT_EQ(AdminOn(file, {"user", "add", "wang", "--name", "王五"}), kAdminDone) << err.str();
    ASSERT_EQ(AdminOn(file, {"init"}), kAdminDone) << err.str();
    ASSERT_EQ(AdminOn(file, {"list", "wang"}), kAdminDone) << err.str();
    EXPECT_EQ(out.str(), "wang\t王五\tuser\n");
}

// Never silent: it says how many entries it removed, the day itself kept. Entries of every kind
// go, an import's too.
TEST_F(RunAdminTest, HistoryPruneRemovesTheEntriesMadeBeforeTheDayAndSaysHowMany) {
    db.AddCorrespondence("01", "A001", {{"iTopSum", 1}});
    ASSERT_TRUE(db.Execute("update WhInvContrapose set iTopSum = 2"));
    ASSERT_TRUE(db.Execute(
        "insert into whinv_change (dWhen, cUser, cKind) values ('2026-01-01 08:00:00', 'demo', "
        "'import')"));
    ASSERT_TRUE(db.Execute(
        "insert into whinv_change_value (iChange, cWhCode, cInvCode, cField, cOldValue, "
        "cNewValue) select max(iChange), '01', 'A001', 'iSafeNum', null, '3' from whinv_change"));
    ASSERT_EQ(Admin({"history", "prune", "--before", "2000-01-01"}), kAdminDone) << err.str();
    EXPECT_NE(out.str().find("Removed 0 entries"), npos) << out.str();
    EXPECT_EQ(Text("select count(*) from whinv_change"), "3");
    ASSERT_EQ(Admin({"history", "prune", "--before", "2999-01-01"}), kAdminDone) << err.str();
    EXPECT_NE(out.str().find("Removed 3 entries of the change history of test made before "
                             "2999-01-01"),
              npos)
        << out.str();
    EXPECT_EQ(Text("select count(*) from whinv_change"), "0");
    EXPECT_EQ(Text("select count(*) from whinv_change_value"), "0");
    EXPECT_EQ(Text("select iTopSum from WhInvContrapose"), "2");
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// The rows as an upgrade leaves them set aside: a table beside each table that lost rows. A
// server keeps the names in lower case.
TEST_F(RunAdminTest, SetAsideListGivesEachRowWithItsRuleALineForScripts) {
    ASSERT_EQ(Admin({"set-aside", "list"}), kAdminDone) << err.str();
    EXPECT_EQ(out.str(), "");
    const std::string value = db.OnServer() ? " text" : "";
    const std::string character = db.OnServer() ? "chr" : "char";
    const std::string about =
        ", cSetAsideReason text not null, dSetAside text not null, iSetAsideFrom integer not null)";
    ASSERT_TRUE(db.Execute("create table WhInvContrapose_set_aside (cWhCode" + value +
                           ", cInvCode" + value + ", iTopSum" + value + ", dLastDate" + value +
                           about));
    ASSERT_TRUE(
        db.Execute("insert into WhInvContrapose_set_aside values ('01', 'A001', 'abc', null, "
                   "'not_a_number', '2026-12-10 10:00:00', 0), ('0' || " +
                   character + "(9) || '9', 'A\\002', '12', '2024-02-30' || " + character +
                   "(10), 'missing_reference', '2026-12-10 10:00:00', 0)"));
    ASSERT_TRUE(db.Execute("create table Person_set_aside (cPersonCode" + value + ", cPersonName" +
                           value + about));
    ASSERT_TRUE(
        db.Execute("insert into Person_set_aside values ('p01', '重复', 'duplicate_key', "
                   "'2026-12-09 08:00:00', 4)"));
    ASSERT_EQ(Admin({"set-aside", "list"}), kAdminDone) << err.str();
    EXPECT_EQ(Lower(out.str()),
              "person\tduplicate_key\t2026-12-09 08:00:00\t4\tcpersoncode=p01\tcpersonname=重复\n"
              "whinvcontrapose\tnot_a_number\t2026-12-10 10:00:00\t0\tcwhcode=01\t"
              "cinvcode=a001\titopsum=abc\n"
              "whinvcontrapose\tmissing_reference\t2026-12-10 10:00:00\t0\tcwhcode=0\\t9\t"
              "cinvcode=a\\\\002\titopsum=12\tdlastdate=2024-02-30\\n\n");
}

// On a server, the account's users are login roles in its two group roles.
class RunAdminOnServerTest : public RunAdminTest {
protected:
    void SetUp() override {
        if (!test::TestDatabase::Server()) {
            GTEST_SKIP() << "roles are a server's";
        }
        RunAdminTest::SetUp();
    }
};

TEST_F(RunAdminOnServerTest, UserAddMakesALoginInTheAccountsRolesAndRemoveTakesItOut) {
    const std::string wang = NewUserId("w");
    ASSERT_EQ(Admin({"user", "add", wang, "--name", "王五"}), kAdminDone) << err.str();
    EXPECT_NE(out.str().find("Made the login role " + wang + " without a password"), npos);
    EXPECT_NE(out.str().find("\\password " + wang), npos) << out.str();
    EXPECT_EQ(
        Text("select cast(rolcanlogin as integer) from pg_roles where rolname = '" + wang + "'"),
        "1");
    EXPECT_TRUE(IsMember(wang, Account().users));
    EXPECT_FALSE(IsMember(wang, Account().admins));

    ASSERT_EQ(Admin({"user", "add", wang, "--name", "王五", "--admin"}), kAdminDone) << err.str();
    EXPECT_EQ(out.str().find("Made the login role"), npos) << out.str();
    EXPECT_TRUE(IsMember(wang, Account().admins));
    ASSERT_EQ(Admin({"user", "add", wang, "--name", "王五"}), kAdminDone) << err.str();
    EXPECT_FALSE(IsMember(wang, Account().admins));

    ASSERT_EQ(Admin({"user", "add", wang, "--name", "王五", "--admin"}), kAdminDone) << err.str();
    ASSERT_EQ(Admin({"user", "remove", wang}), kAdminDone) << err.str();
    EXPECT_NE(out.str().find("The login role " + wang + " stays"), npos) << out.str();
    EXPECT_EQ(Text("select count(*) from pg_roles where rolname = '" + wang + "'"), "1");
    EXPECT_FALSE(IsMember(wang, Account().users));
    EXPECT_FALSE(IsMember(wang, Account().admins));
}

// A role that may not log in is a group: every member would gain the account's rights.
TEST_F(RunAdminOnServerTest, ARoleThatMayNotLogInIsNotTakenIn) {
    const std::string group = NewUserId("g");
    ASSERT_TRUE(db.Execute("create role \"" + group + "\""));
    EXPECT_EQ(Admin({"user", "add", group, "--name", "组"}), kAdminFailed);
    EXPECT_NE(err.str().find("The role " + group + " exists but may not log in"), npos)
        << err.str();
    EXPECT_EQ(Text("select count(*) from aa_user where cUserId = '" + group + "'"), "0");
    EXPECT_FALSE(IsMember(group, Account().users));
}

TEST_F(RunAdminOnServerTest, ALoginWithoutCreateRoleIsToldSoAndNothingIsWritten) {
    const std::string admin = roles.AddLogin("n", {Account().admins});
    const std::string wang = NewUserId("w");
    EXPECT_EQ(AdminAs(admin, {"user", "add", wang, "--name", "王五"}), kAdminFailed);
    EXPECT_NE(err.str().find("The login " + admin + " may not make roles"), npos) << err.str();
    EXPECT_NE(err.str().find("CREATEROLE"), npos) << err.str();
    EXPECT_EQ(Text("select count(*) from aa_user where cUserId = '" + wang + "'"), "0");
    EXPECT_EQ(Text("select count(*) from pg_roles where rolname = '" + wang + "'"), "0");
}

TEST_F(RunAdminOnServerTest, APlainUserMayNotPruneTheHistory) {
    const std::string clerk = NewUserId("c");
    ASSERT_EQ(Admin({"user", "add", clerk, "--name", "clerk"}), kAdminDone) << err.str();
    db.AddCorrespondence("01", "A001");
    EXPECT_EQ(AdminAs(clerk, {"history", "prune", "--before", "2999-01-01"}), kAdminFailed);
    EXPECT_NE(err.str().find("Only an administrator of the account test may prune"), npos)
        << err.str();
    EXPECT_EQ(Text("select count(*) from whinv_change"), "1");
}

TEST_F(RunAdminOnServerTest, ALoginOutsideTheAccountIsToldToJoinItsAdmins) {
    const std::string outsider = roles.AddLogin("o");
    const std::string join = "needs membership of the role " + Account().admins;
    EXPECT_EQ(AdminAs(outsider, {"user", "add", NewUserId("w"), "--name", "王五"}), kAdminFailed);
    EXPECT_NE(err.str().find(join), npos) << err.str();
    EXPECT_EQ(AdminAs(outsider, {"list"}), kAdminFailed);
    EXPECT_NE(err.str().find(join), npos) << err.str();
}

TEST_F(RunAdminOnServerTest, InitMakesTheAccountsRolesWithItsLoginAnAdministrator) {
    EXPECT_NE(out.str().find("users join the role " + Account().users +
                             ", administrators the role " + Account().admins),
              npos)
        << out.str();
    const std::string wang = NewUserId("w");
    ASSERT_EQ(Admin({"user", "add", wang, "--name", "王五"}), kAdminDone) << err.str();
    ASSERT_EQ(Admin({"grant", wang, "--warehouse", "01", "--read"}), kAdminDone) << err.str();

    ASSERT_EQ(Admin({"init"}), kAdminDone) << err.str();
    EXPECT_EQ(Text("select count(*) from pg_roles where rolname in ('" + Account().users + "', '" +
                   Account().admins + "')"),
              "2");
    const std::string login = Text("select current_user");
    ASSERT_EQ(Admin({"list", login}), kAdminDone) << err.str();
    EXPECT_EQ(out.str().substr(0, login.size() + 1), login + "\t");
    EXPECT_TRUE(out.str().ends_with("\tadministrator\n")) << out.str();
    EXPECT_EQ(Held(wang, "Warehouse", "01"), "R");
    EXPECT_TRUE(IsMember(wang, Account().users));
}

TEST_F(RunAdminOnServerTest, InitByALoginThatCannotMakeRolesIsRefused) {
    const std::string owner = roles.AddLogin("n", {Account().admins});
    EXPECT_EQ(AdminAs(owner, {"init"}), kAdminFailed);
    EXPECT_NE(err.str().find("CREATEROLE"), npos) << err.str();
}

// What the tool writes is what the server's row policies read: the user logs in as himself.
TEST_F(RunAdminOnServerTest, AUserSeesExactlyTheWarehousesGrantedAndAnAdministratorAll) {
    db.AddCorrespondence("01", "A001");
    db.AddCorrespondence("02", "A001");
    const std::string wang = NewUserId("w");
    const std::string rows = "select cWhCode from WhInvContrapose order by cWhCode";
    using Codes = std::vector<std::string>;
    ASSERT_EQ(Admin({"user", "add", wang, "--name", "王五"}), kAdminDone) << err.str();
    EXPECT_EQ(test::ServerSession(roles.ConninfoOf(wang)).Column(rows), Codes{});

    ASSERT_EQ(Admin({"grant", wang, "--warehouse", "01", "--read"}), kAdminDone) << err.str();
    EXPECT_EQ(test::ServerSession(roles.ConninfoOf(wang)).Column(rows), Codes{"01"});

    ASSERT_EQ(Admin({"user", "add", wang, "--name", "王五", "--admin"}), kAdminDone) << err.str();
    EXPECT_EQ(test::ServerSession(roles.ConninfoOf(wang)).Column(rows), (Codes{"01", "02"}));

    ASSERT_EQ(Admin({"user", "add", wang, "--name", "王五"}), kAdminDone) << err.str();
    ASSERT_EQ(Admin({"revoke", wang, "--warehouse", "01"}), kAdminDone) << err.str();
    EXPECT_EQ(test::ServerSession(roles.ConninfoOf(wang)).Column(rows), Codes{});
}

}  // namespace
}  // namespace zel
