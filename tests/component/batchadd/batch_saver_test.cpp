#include "batchadd/batch_saver.h"

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

TEST_F(BatchSaverTest, AFailedQueryEndsTheRunWithTheCountStoredSoFar) {
    ASSERT_EQ(Saver().SaveBatch("01", {"A001"}).saved, 1);
    labels.clear();
    context.login.sAuthInvW = "(no_such_column=1)";
    const auto outcome = Saver().SaveBatch("01", {"A002", "A003"});
    EXPECT_EQ(outcome.end, BatchSaver::End::kFailed);
    EXPECT_EQ(outcome.saved, 0);
    EXPECT_EQ(labels, (std::vector<std::string>{"成功添加了0条数据"}));
    EXPECT_EQ(Rows(), 1.0);
}

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
