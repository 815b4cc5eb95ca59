// The services of one program on one account connection, and what they do when the server ends
// that connection: the call that meets the loss fails and says so, nothing is half written, and
// the next call connects again with the program's locks.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>

#include "host/database/cls_common.h"
#include "host/database/database_texts.h"
#include "host/database/postgres/postgres_count_connection.h"
#include "host/database/postgres/postgres_row_count.h"
#include "host/database/session_locks.h"
#include "support/server_roles.h"
#include "support/test_database.h"

namespace zel {
namespace {

using namespace std::chrono_literals;

constexpr auto kServerWait = 10s;

std::string AddXml(const std::string& warehouse, const std::string& inventory) {
    return "<WhInvContrapose><cWhCode>" + warehouse + "</cWhCode><cInvCode>" + inventory +
           "</cInvCode><iTopSum>5</iTopSum><cUserId>demo</cUserId></WhInvContrapose>";
}

// Polls a condition until it holds or the server has had time enough.
bool Eventually(const std::function<bool()>& holds) {
    const auto end = std::chrono::steady_clock::now() + kServerWait;
    while (!holds()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

class ConnectionRecoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01");
        db.AddWarehouse("02");
        db.AddThousandCorrespondences("01");
        db.Environment()->sqlLogPath = db.Folder() + "/sql.log";
        db.Environment()->closeFunction = [this] { ++functionsClosed; };
        service = db.OpenService();
    }

    long Count(const std::string& where) {
        return std::stol(
            db.Scalar("select count(*) from WhInvContrapose where " + where).ToString());
    }

    // Other sessions on the account's database than the test's own.
    long Sessions() {
        return std::stol(db.Scalar("select count(*) from pg_stat_activity where datname = "
                                   "current_database() and pid <> pg_backend_pid()")
                             .ToString());
    }

    std::string PidOf(IClsCommon& of) {
        const auto rows = of.OpenX("select pg_backend_pid()");
        EXPECT_TRUE(rows && !rows->Eof()) << of.LastError();
        return rows && !rows->Eof() ? rows->Fields(0)->ToString() : "0";
    }

    // Ends a session as a server that goes away does, and waits until it is gone with its locks.
    void Terminate(const std::string& pid) {
        ASSERT_EQ(db.Scalar("select pg_terminate_backend(" + pid + ")").ToString(), "1");
        ASSERT_TRUE(Eventually([&] {
            return db.Scalar("select count(*) from pg_stat_activity where pid = " + pid)
                       .ToString() == "0";
        }));
    }

    // The loss's message up to the reason.
    static bool TellsLost(const std::string& message, const std::string& account) {
        const std::string text =
            DatabaseTexts::Format("Zel.HOST.DB.connection_lost", {account, "%2"});
        return message.starts_with(text.substr(0, text.find("%2")));
    }

    void ExpectLost(const std::string& message) {
        EXPECT_TRUE(TellsLost(message, test::TestDatabase::kAccount)) << message;
        std::ifstream log(db.Environment()->sqlLogPath);
        const std::string logged(std::istreambuf_iterator<char>(log), {});
        EXPECT_NE(logged.find("terminating connection"), std::string::npos)
            << "the server's reason is missing from the SQL log:\n"
            << logged;
    }

    // The program works on: a refresh reads every row, a save is written.
    void ExpectWorkingAgain() {
        const auto rows = service->OpenX("select cInvCode from WhInvContrapose where cWhCode='01'");
        ASSERT_TRUE(rows) << service->LastError();
        EXPECT_EQ(rows->RecordCount(), 1000);
        EXPECT_TRUE(service->Status());
        std::string message;
        EXPECT_TRUE(service->Add(AddXml("02", "B0999"), "WhInvContrapose", message)) << message;
    }

    test::TestDatabase db;
    std::shared_ptr<IClsCommon> service;
    int functionsClosed = 0;
};

class ServerConnectionRecoveryTest : public ConnectionRecoveryTest {
protected:
    void SetUp() override {
        if (!db.OnServer()) {
            GTEST_SKIP() << "a file database has no connection to lose";
        }
        ConnectionRecoveryTest::SetUp();
    }
};

// What a user does that the server's loss cuts off: it fails with the loss's message and leaves
// no row of its own written.
struct CutAction {
    const char* what;
    // How the test's own session holds the table so that the action waits on the server.
    const char* lockMode;
    std::function<bool(IClsCommon&, std::string& message)> run;
    const char* unwritten;  // rows the action would have written; none must be there
};

const std::vector<CutAction>& CutActions() {
    static const std::vector<CutAction> actions = {
        {"a refresh", "access exclusive",
         [](IClsCommon& service, std::string& message) {
             const auto rows =
                 service.OpenX("select cInvCode from WhInvContrapose where cWhCode='01'");
             message = service.LastError();
             return rows && rows->IsOpen();
         },
         "1=0"},
        {"a save", "share",
         [](IClsCommon& service, std::string& message) {
             return service.Add(AddXml("02", "B0001"), "WhInvContrapose", message);
         },
         "cWhCode='02'"},
        {"an update of many rows", "share",
         [](IClsCommon& service, std::string& message) {
             const bool updated =
                 service.ExecuteX("update WhInvContrapose set iTopSum = 2 where cWhCode='01'");
             message = service.LastError();
             return updated;
         },
         "iTopSum=2"},
    };
    return actions;
}

TEST_F(ServerConnectionRecoveryTest, ServicesOfOneProgramShareOneConnectionAndOneForCounts) {
    const auto other = db.OpenService();
    const auto third = db.OpenService();
    EXPECT_EQ(PidOf(*other), PidOf(*service));
    EXPECT_EQ(PidOf(*third), PidOf(*service));
    EXPECT_EQ(Sessions(), 1);
    for (const auto& counting : {service, other, third}) {
        const auto rows = counting->OpenX("select cInvCode from WhInvContrapose order by 1");
        ASSERT_TRUE(rows) << counting->LastError();
        rows->KnownRecordCount();
        EXPECT_LE(Sessions(), 2);
    }
    EXPECT_TRUE(Eventually([&] { return Sessions() == 2; }));
    const auto another = db.OpenServiceOfAnotherProgram();
    EXPECT_NE(PidOf(*another), PidOf(*service));
}

TEST_F(ServerConnectionRecoveryTest, ANewCountCancelsTheOneStillRunningOnTheCountConnection) {
    const auto connection = std::make_shared<PostgresCountConnection>(db.Path());
    const auto slow = PostgresRowCount::Start(connection, "select pg_sleep(60)");
    ASSERT_TRUE(Eventually([&] {
        return db.Scalar(
                     "select count(*) from pg_stat_activity where state = 'active' and "
                     "query like '%pg_sleep(60)%' and pid <> pg_backend_pid()")
                   .ToString() == "1";
    }));
    const auto quick = PostgresRowCount::Start(connection, "select 1 union all select 2");
    EXPECT_TRUE(Eventually([&] { return quick->Result() == 2; }));
    EXPECT_EQ(slow->Result(), std::nullopt);
    // The service's connection and the one the counts share.
    EXPECT_EQ(Sessions(), 2);
}

TEST_F(ServerConnectionRecoveryTest, AnActionAfterTheConnectionWasLostFailsAndTheNextConnects) {
    for (const auto& action : CutActions()) {
        SCOPED_TRACE(action.what);
        std::filesystem::remove(db.Environment()->sqlLogPath);
        Terminate(PidOf(*service));
        std::string message;
        EXPECT_FALSE(action.run(*service, message));
        ExpectLost(message);
        EXPECT_FALSE(service->Status());
        EXPECT_EQ(Count(action.unwritten), 0);
        ExpectWorkingAgain();
        ASSERT_TRUE(service->ExecuteX("delete from WhInvContrapose where cWhCode='02'"));
    }
}

TEST_F(ServerConnectionRecoveryTest, AnActionCutWhileTheServerWorksOnItIsNotHalfWritten) {
    for (const auto& action : CutActions()) {
        SCOPED_TRACE(action.what);
        std::filesystem::remove(db.Environment()->sqlLogPath);
        test::ServerSession holder(db.Path());
        ASSERT_TRUE(holder.Run("begin").ok);
        ASSERT_TRUE(
            holder.Run(std::string("lock table WhInvContrapose in ") + action.lockMode + " mode")
                .ok);
        std::thread killer([this] {
            test::ServerSession watcher(db.Path());
            Eventually([&] {
                return watcher
                           .Run(
                               "select pg_terminate_backend(pid) from pg_stat_activity where "
                               "datname = current_database() and wait_event_type = 'Lock'")
                           .rows > 0;
            });
        });
        std::string message;
        EXPECT_FALSE(action.run(*service, message));
        killer.join();
        holder.Run("rollback");
        ExpectLost(message);
        EXPECT_EQ(Count(action.unwritten), 0);
        ExpectWorkingAgain();
        ASSERT_TRUE(service->ExecuteX("delete from WhInvContrapose where cWhCode='02'"));
    }
}

TEST_F(ServerConnectionRecoveryTest, ABatchOfSavesCutInTheMiddleKeepsWhatWasSavedAndGoesOn) {
    constexpr int kCutAt = 50;
    std::string message;
    for (int item = 1; item <= 100; ++item) {
        if (item == kCutAt) {
            Terminate(PidOf(*service));
        }
        char code[8];
        std::snprintf(code, sizeof code, "B%04d", item);
        const bool added = service->Add(AddXml("02", code), "WhInvContrapose", message);
        if (item == kCutAt) {
            EXPECT_FALSE(added);
            ExpectLost(message);
            EXPECT_EQ(Count("cWhCode='02'"), kCutAt - 1);
            // The user runs the item again: it is written once.
            EXPECT_TRUE(service->Add(AddXml("02", code), "WhInvContrapose", message)) << message;
        } else {
            ASSERT_TRUE(added) << item << ": " << message;
        }
    }
    EXPECT_EQ(Count("cWhCode='02'"), 100);
}

TEST_F(ServerConnectionRecoveryTest, TheFunctionLockIsHeldAgainOnceConnectedAgain) {
    auto& locks = dynamic_cast<ISessionLocks&>(*service);
    std::string holder;
    ASSERT_TRUE(locks.TryAcquire("WhInvContrapose.function", "demo@here", holder));
    Terminate(PidOf(*service));
    std::string message;
    CutActions().front().run(*service, message);
    ExpectWorkingAgain();
    const auto another = db.OpenServiceOfAnotherProgram();
    EXPECT_FALSE(dynamic_cast<ISessionLocks&>(*another).TryAcquire("WhInvContrapose.function",
                                                                   "other@there", holder));
    EXPECT_EQ(holder, "demo@here");
    EXPECT_EQ(functionsClosed, 0);
}

TEST_F(ServerConnectionRecoveryTest, ALockTakenByAnotherProgramMeanwhileClosesTheFunction) {
    auto& locks = dynamic_cast<ISessionLocks&>(*service);
    std::string holder;
    ASSERT_TRUE(locks.TryAcquire("WhInvContrapose.function", "demo@here", holder));
    Terminate(PidOf(*service));
    const auto another = db.OpenServiceOfAnotherProgram();
    ASSERT_TRUE(dynamic_cast<ISessionLocks&>(*another).TryAcquire("WhInvContrapose.function",
                                                                  "other@there", holder));
    std::string message;
    CutActions().front().run(*service, message);
    const auto rows = service->OpenX("select cInvCode from WhInvContrapose");
    EXPECT_FALSE(rows);
    const std::string told = DatabaseTexts::Format("Zel.HOST.LOCK.function_busy", {"other@there"});
    EXPECT_EQ(service->LastError(), told);
    EXPECT_EQ(db.Dialogs().MessageTexts(), std::vector<std::string>{told});
    EXPECT_EQ(functionsClosed, 1);
    EXPECT_TRUE(db.Environment()->functionLockRefused);
}

// A network cut leaves the server holding the lost session, and its locks, for a while.
TEST_F(ServerConnectionRecoveryTest, ALockOfTheProgramsOwnLostSessionIsTakenOver) {
    const auto lostSession = db.OpenServiceOfAnotherProgram();
    std::string holder;
    ASSERT_TRUE(dynamic_cast<ISessionLocks&>(*lostSession)
                    .TryAcquire("WhInvContrapose.function", "demo@here:1", holder));
    ASSERT_TRUE(dynamic_cast<ISessionLocks&>(*lostSession)
                    .TryAcquire("WhInvContrapose.edit", "demo@here:1", holder));
    auto& locks = dynamic_cast<ISessionLocks&>(*service);
    EXPECT_FALSE(locks.TryAcquire("WhInvContrapose.function", "demo@here:2", holder));
    EXPECT_EQ(holder, "demo@here:1");
    EXPECT_TRUE(locks.TryAcquire("WhInvContrapose.function", "demo@here:1", holder)) << holder;
    EXPECT_TRUE(locks.TryAcquire("WhInvContrapose.edit", "demo@here:1", holder)) << holder;
    EXPECT_FALSE(lostSession->OpenX("select 1"));
}

TEST_F(ServerConnectionRecoveryTest, ALoginRefusedWhenConnectingAgainFailsUntilItIsLetIn) {
    test::ServerRoles roles(db);
    const std::string clerk = roles.AddLogin("clerk");
    ASSERT_TRUE(db.Execute("grant select on whinv_schema to " + clerk));
    db.Environment()->accounts.Set("clerk", "postgresql:" + roles.ConninfoOf(clerk));
    ClsCommon asClerk(db.Environment());
    asClerk.Init("clerk");
    ASSERT_TRUE(asClerk.Status()) << asClerk.LastError();
    Terminate(PidOf(asClerk));
    ASSERT_TRUE(db.Execute("alter role " + clerk + " nologin"));
    asClerk.OpenX("select 1");
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_FALSE(asClerk.OpenX("select 1"));
        EXPECT_TRUE(TellsLost(asClerk.LastError(), "clerk")) << asClerk.LastError();
        EXPECT_FALSE(asClerk.Status());
    }
    ASSERT_TRUE(db.Execute("alter role " + clerk + " login"));
    EXPECT_TRUE(asClerk.OpenX("select 1")) << asClerk.LastError();
}

TEST_F(ConnectionRecoveryTest, AWriteOfOneServiceLeavesAnotherServicesHalfReadResultWhole) {
    const auto reader = db.OpenService();
    const auto rows = reader->OpenX("select cInvCode, iTopSum from WhInvContrapose order by 1");
    ASSERT_TRUE(rows) << reader->LastError();
    ASSERT_TRUE(service->ExecuteX("update WhInvContrapose set iTopSum = 2 where cWhCode='01'"))
        << service->LastError();
    long read = 0;
    for (; !rows->Eof(); rows->MoveNext(), ++read) {
        EXPECT_EQ(rows->Fields(1)->ToString(), "1");
    }
    EXPECT_TRUE(rows->IsOpen());
    EXPECT_EQ(read, 1000);
}

TEST_F(ConnectionRecoveryTest, AServiceThatEndsGivesBackItsLocksOnly) {
    std::string holder;
    auto& kept = dynamic_cast<ISessionLocks&>(*service);
    ASSERT_TRUE(kept.TryAcquire("Kept", "demo@here", holder));
    {
        const auto ending = db.OpenService();
        ASSERT_TRUE(dynamic_cast<ISessionLocks&>(*ending).TryAcquire("Given", "demo@here", holder));
    }
    const auto another = db.OpenServiceOfAnotherProgram();
    auto& other = dynamic_cast<ISessionLocks&>(*another);
    EXPECT_TRUE(other.TryAcquire("Given", "other@there", holder));
    EXPECT_FALSE(other.TryAcquire("Kept", "other@there", holder));
    EXPECT_EQ(holder, "demo@here");
}

}  // namespace
}  // namespace zel
