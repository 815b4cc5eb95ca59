#include "batchadd/batch_saver.h"

#include "component/support/failing_db.h"
#include "component/support/main_window_fixture.h"

namespace korvel::test {
namespace {

class BatchSaverTest : public MainWindowTest {
protected:
    void SetUp() override {
        database.AddWarehouse("01");
        for (const char* code : {"A001", "A002", "A003"}) {
            database.AddInventory(code);
        }
        BindContext();
    }
    BatchSaver Saver(std::function<bool()> cancelled = {}) {
        return BatchSaver(context, {[this](const std::string& text) { labels.push_back(text); },
                                    {},
                                    {},
                                    std::move(cancelled)});
    }
    double Rows() {
        return database.Scalar("select count(*) from WhInvContrapose").ToDouble().value_or(-1);
    }

    std::vector<std::string> labels;
};

TEST_F(BatchSaverTest, ACancelStopsAfterTheCurrentItemAndReportsWhatWasStored) {
    const auto outcome = Saver([] { return true; }).SaveBatch("01", {"A001", "A002", "A003"});
    EXPECT_EQ(outcome.end, BatchSaver::End::kCancelled);
    EXPECT_EQ(outcome.saved, 1);
    EXPECT_EQ(Rows(), 1.0);
    EXPECT_EQ(labels, (std::vector<std::string>{"已保存1条数据...", "成功添加了1条数据"}));
}

TEST_F(BatchSaverTest, AFailedQueryEndsTheRunSayingWhyAndHowManyWereAndWereNotStored) {
    ASSERT_EQ(Saver().SaveBatch("01", {"A001"}).saved, 1);
    labels.clear();
    context.login.sAuthInvW = "(no_such_column=1)";
    const auto outcome = Saver().SaveBatch("01", {"A002", "A003"});
    EXPECT_EQ(outcome.end, BatchSaver::End::kFailed);
    EXPECT_EQ(outcome.saved, 0);
    EXPECT_EQ(Rows(), 1.0);
    const std::string reason = context.login.db->LastError();
    ASSERT_FALSE(reason.empty());
    // The label never shows the success total of a run that stopped.
    const std::string stopped =
        "批量添加中途停止：" + reason + "\n成功添加了0条数据，其余2条没有添加。";
    EXPECT_EQ(labels, std::vector<std::string>{stopped});
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{stopped});
}

// Each item is its defaults query, then its save: the loss strikes either one of the second item.
struct LossCase {
    const char* name;
    const char* statementWith;
    BatchSaver::End end;
};

class BatchSaverLosingTheConnection : public BatchSaverTest,
                                      public ::testing::WithParamInterface<LossCase> {};

TEST_P(BatchSaverLosingTheConnection, StopsAndSaysWhyWhatWasStoredAndWhatWasNot) {
    const auto db = FailingDb::InPlaceOf(context.login.db);
    db->lostAtStatementWith = GetParam().statementWith;
    const auto outcome = Saver().SaveBatch("01", {"A001", "A002", "A003"});
    EXPECT_EQ(outcome.end, GetParam().end);
    EXPECT_EQ(outcome.saved, 1);
    EXPECT_EQ(Rows(), 1.0);
    const std::string stopped = std::string("批量添加中途停止：") + FailingDb::kLostText +
                                "\n成功添加了1条数据，其余2条没有添加。";
    EXPECT_EQ(labels.back(), stopped);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{stopped});

    db->Reconnect();
    database.Dialogs().Clear();
    EXPECT_EQ(Saver().SaveBatch("01", {"A002", "A003"}).saved, 2);
    EXPECT_EQ(Rows(), 3.0);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, BatchSaverLosingTheConnection,
    ::testing::Values(LossCase{"AtTheDefaultsQuery", "'A002'", BatchSaver::End::kFailed},
                      LossCase{"AtTheSave", "<cInvCode>A002<", BatchSaver::End::kRefused}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BatchSaverTest, NothingCheckedStoresNothingAndSaysZero) {
    const auto outcome = Saver().SaveBatch("01", {});
    EXPECT_EQ(outcome.saved, 0);
    EXPECT_EQ(outcome.end, BatchSaver::End::kAllDone);
    EXPECT_EQ(labels, (std::vector<std::string>{"成功添加了0条数据"}));
}

TEST_F(BatchSaverTest, AnItemOutsideTheWriteRightsIsStillOfferedWithEmptySettings) {
    database.Execute("update Inventory set iTopSum=500 where cInvCode='A001'");
    context.login.sAuthInvW = "(1=2)";
    EXPECT_EQ(Saver().SaveBatch("01", {"A001"}).saved, 1);
    EXPECT_TRUE(database.Scalar("select iTopSum from WhInvContrapose").IsNull());
}

}  // namespace
}  // namespace korvel::test
