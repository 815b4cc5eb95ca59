#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "host/database/database_texts.h"
#include "host/login/login.h"
#include "support/test_database.h"

namespace zel {
namespace {

std::string AddXml(const std::string& warehouse, const std::string& inventory) {
    return "<WhInvContrapose><cWhCode>" + warehouse + "</cWhCode><cInvCode>" + inventory +
           "</cInvCode><iTopSum>5</iTopSum><cUserId>demo</cUserId></WhInvContrapose>";
}

std::string Insert(const std::string& inventory) {
    return "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum) values ('01', '" + inventory +
           "', 7)";
}

// Whether a text is the given one up to its first placeholder.
bool Starts(const std::string& message, const char* key) {
    const std::string text = DatabaseTexts::Text(key);
    return message.starts_with(text.substr(0, text.find('%')));
}

// Several calls of the database service written all or nothing.
class TransactionTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01");
        for (const char* item : {"A001", "A002", "A003"}) {
            db.AddInventory(item);
        }
        db.AddCorrespondence("01", "A001", {{"iTopSum", 1}});
        Login::Values login;
        login.userId = "demo";
        login.curDate = "2026-01-15";
        db.Environment()->session = std::make_shared<Login>(login);
        service = db.OpenService();
        entriesBefore = Count("whinv_change");
    }

    long Count(const std::string& table) {
        return std::stol(db.Scalar("select count(*) from " + table).ToString());
    }
    long Rows() { return Count("WhInvContrapose"); }
    long NewEntries() { return Count("whinv_change") - entriesBefore; }

    // Writes of every kind the service has, inside the open transaction.
    void WriteSome() {
        std::string message;
        ASSERT_TRUE(service->ExecuteX(Insert("A002"))) << service->LastError();
        ASSERT_TRUE(service->Add(AddXml("01", "A003"), "WhInvContrapose", message)) << message;
        ASSERT_TRUE(service->ExecuteX("update WhInvContrapose set iTopSum=2 where cInvCode='A001'"))
            << service->LastError();
        ASSERT_TRUE(service->Delete("A001", "cInvCode", "WhInvContrapose", message, "demo"))
            << message;
    }

    test::TestDatabase db;
    std::shared_ptr<IClsCommon> service;
    long entriesBefore = 0;
};

TEST_F(TransactionTest, CommitKeepsEveryWriteAndItsHistory) {
    ASSERT_TRUE(service->BeginTrans()) << service->LastError();
    WriteSome();
    // Nothing is seen from outside before the commit.
    const auto other = db.OpenServiceOfAnotherProgram();
    const auto seen = other->OpenX("select count(*) from WhInvContrapose where cInvCode='A002'");
    if (db.OnServer()) {
        ASSERT_TRUE(seen) << other->LastError();
        EXPECT_EQ(seen->Fields(0)->ToString(), "0");
    }
    ASSERT_TRUE(service->CommitTrans()) << service->LastError();
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(NewEntries(), 4);
}

TEST_F(TransactionTest, RollbackUndoesEveryWriteAndItsHistory) {
    ASSERT_TRUE(service->BeginTrans()) << service->LastError();
    WriteSome();
    ASSERT_TRUE(service->RollbackTrans()) << service->LastError();
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(db.Scalar("select iTopSum from WhInvContrapose").ToString(), "1");
    EXPECT_EQ(NewEntries(), 0);
    // The service writes on its own again.
    EXPECT_TRUE(service->ExecuteX(Insert("A002"))) << service->LastError();
    EXPECT_EQ(Rows(), 2);
}

TEST_F(TransactionTest, AChangeStepInsideIsOneEntryAndGoesWithTheRollback) {
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "commit" : "rollback");
        ASSERT_TRUE(db.Execute("delete from WhInvContrapose where cInvCode<>'A001'"));
        const long before = Count("whinv_change");
        ASSERT_TRUE(service->BeginTrans()) << service->LastError();
        service->BeginChangeStep();
        ASSERT_TRUE(service->ExecuteX(Insert("A002"))) << service->LastError();
        ASSERT_TRUE(service->ExecuteX(Insert("A003"))) << service->LastError();
        service->EndChangeStep();
        ASSERT_TRUE(keep ? service->CommitTrans() : service->RollbackTrans())
            << service->LastError();
        EXPECT_EQ(Count("whinv_change") - before, keep ? 1 : 0);
        EXPECT_EQ(Rows(), keep ? 3 : 1);
    }
}

TEST_F(TransactionTest, AWriteRefusedInsideTakesBackOnlyItself) {
    ASSERT_TRUE(service->BeginTrans()) << service->LastError();
    ASSERT_TRUE(service->ExecuteX(Insert("A002"))) << service->LastError();
    // The key is taken: the statement fails, and so does a save of the same row.
    EXPECT_FALSE(service->ExecuteX(Insert("A001")));
    std::string message;
    EXPECT_FALSE(service->Add(AddXml("01", "A001"), "WhInvContrapose", message));
    EXPECT_FALSE(message.empty());
    ASSERT_TRUE(service->ExecuteX(Insert("A003"))) << service->LastError();
    ASSERT_TRUE(service->CommitTrans()) << service->LastError();
    EXPECT_EQ(Rows(), 3);
}

TEST_F(TransactionTest, AFailedReadFailsTheWholeTransaction) {
    ASSERT_TRUE(service->BeginTrans()) << service->LastError();
    ASSERT_TRUE(service->ExecuteX(Insert("A002"))) << service->LastError();
    EXPECT_EQ(service->OpenX("select nosuchcolumn from WhInvContrapose"), nullptr);
    // Every later call is refused, the commit too, and nothing is kept.
    EXPECT_FALSE(service->ExecuteX(Insert("A003")));
    EXPECT_TRUE(Starts(service->LastError(), "Zel.HOST.DB.trans_failed")) << service->LastError();
    EXPECT_FALSE(service->CommitTrans());
    EXPECT_TRUE(Starts(service->LastError(), "Zel.HOST.DB.trans_failed")) << service->LastError();
    EXPECT_EQ(Rows(), 1);
    EXPECT_TRUE(service->ExecuteX(Insert("A003"))) << service->LastError();
}

TEST_F(TransactionTest, TransactionsDoNotNest) {
    ASSERT_TRUE(service->BeginTrans()) << service->LastError();
    // Another service of the program shares the connection and so the transaction.
    const auto second = db.OpenService();
    EXPECT_FALSE(second->BeginTrans());
    EXPECT_EQ(second->LastError(), DatabaseTexts::Text("Zel.HOST.DB.trans_nested"));
    EXPECT_FALSE(service->BeginTrans());
    ASSERT_TRUE(second->ExecuteX(Insert("A002"))) << second->LastError();
    ASSERT_TRUE(service->RollbackTrans());
    EXPECT_EQ(Rows(), 1);
    EXPECT_FALSE(service->CommitTrans());
    EXPECT_EQ(service->LastError(), DatabaseTexts::Text("Zel.HOST.DB.trans_none"));
}

TEST_F(TransactionTest, AnotherProgramWaitsForTheWriteLock) {
    if (db.OnServer()) {
        GTEST_SKIP() << "about a file's write lock; a server locks rows";
    }
    ASSERT_TRUE(service->BeginTrans()) << service->LastError();
    const auto other = db.OpenServiceOfAnotherProgram();
    EXPECT_FALSE(other->BeginTrans());
    EXPECT_FALSE(other->LastError().empty());
    ASSERT_TRUE(service->CommitTrans()) << service->LastError();
    EXPECT_TRUE(other->BeginTrans()) << other->LastError();
    EXPECT_TRUE(other->RollbackTrans());
}

TEST_F(TransactionTest, ALostConnectionFailsTheTransactionAndIsNotMadeAgainInside) {
    if (!db.OnServer()) {
        GTEST_SKIP() << "about a server connection; needs WHINV_TEST_POSTGRES";
    }
    ASSERT_TRUE(service->BeginTrans()) << service->LastError();
    ASSERT_TRUE(service->ExecuteX(Insert("A002"))) << service->LastError();
    const auto pid = service->OpenX("select pg_backend_pid()");
    ASSERT_TRUE(pid) << service->LastError();
    ASSERT_EQ(
        db.Scalar("select pg_terminate_backend(" + pid->Fields(0)->ToString() + ")").ToString(),
        "1");
    // The statement after the loss fails, and so does every one after it, though the server is
    // there to connect to: a new connection would not hold the first insert.
    EXPECT_FALSE(service->ExecuteX(Insert("A003")));
    EXPECT_FALSE(service->ExecuteX(Insert("A003")));
    EXPECT_TRUE(Starts(service->LastError(), "Zel.HOST.DB.trans_lost")) << service->LastError();
    EXPECT_FALSE(service->CommitTrans());
    EXPECT_TRUE(Starts(service->LastError(), "Zel.HOST.DB.trans_lost")) << service->LastError();
    EXPECT_EQ(Rows(), 1);
    // Once it has ended, the next call connects again.
    EXPECT_TRUE(service->ExecuteX(Insert("A003"))) << service->LastError();
    EXPECT_EQ(Rows(), 2);
}

}  // namespace
}  // namespace zel
