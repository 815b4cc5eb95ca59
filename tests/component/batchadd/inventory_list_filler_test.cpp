#include "batchadd/inventory_list_filler.h"

#include "component/support/main_window_fixture.h"
#include "host/controls/ys_list_view.h"

namespace korvel::test {
namespace {

class InventoryListFillerTest : public MainWindowTest {
protected:
    void SetUp() override {
        database.AddWarehouse("01");
        BindContext();
    }
    std::shared_ptr<zel::IRecordset> Items() {
        return context.login.db->Openforward(
            "select cInvCode as [存货编码],cInvName as [存货名称],cDefWareHouse as [仓库编码] "
            "from Inventory order by cInvCode");
    }
    int Fill(zel::YsListView& list, bool preCheck) {
        InventoryListFiller filler(
            *context.login.pub,
            {[this](const std::string& text) { labels.push_back(text); }, {}, {}, {}});
        return filler.FillInventoryList(*Items(), list, preCheck, "01");
    }

    std::vector<std::string> labels;
};

TEST_F(InventoryListFillerTest, SaysTheCountEveryHundredRowsAndTheTotalAtTheEnd) {
    for (int i = 0; i < 250; ++i) {
        database.AddInventory("C" + std::to_string(1000 + i));
    }
    zel::YsListView list;
    EXPECT_EQ(Fill(list, false), 250);
    EXPECT_EQ(list.Count(), 250);
    EXPECT_EQ(labels, (std::vector<std::string>{"已加载100条数据...", "已加载200条数据...",
                                                "成功加载了250条数据"}));
}

TEST_F(InventoryListFillerTest, PreChecksOnlyWhenAskedAndOnlyTheTargetsItems) {
    database.AddInventory("A001", " 螺钉 ", {{"cDefWareHouse", "01"}});
    database.AddInventory("A002", "螺母", {{"cDefWareHouse", "02"}});
    database.AddInventory("A003", "垫圈");
    for (const bool preCheck : {true, false}) {
        zel::YsListView list;
        Fill(list, preCheck);
        ASSERT_EQ(list.Count(), 3);
        EXPECT_EQ(list.Checked(1), preCheck);
        EXPECT_FALSE(list.Checked(2));
        EXPECT_FALSE(list.Checked(3)) << "an empty default warehouse is never the target";
        EXPECT_EQ(list.SubItem(1, 1), "螺钉") << "sub-items are trimmed";
        EXPECT_EQ(list.ColumnHeaderText(3), "仓库编码");
    }
}

TEST_F(InventoryListFillerTest, AnEmptyResultStillGetsItsHeadersAndAnEmptyLabel) {
    zel::YsListView list;
    EXPECT_EQ(Fill(list, true), 0);
    EXPECT_EQ(list.ColumnHeaderCount(), 3);
    EXPECT_EQ(labels, (std::vector<std::string>{""}));
}

}  // namespace
}  // namespace korvel::test
