#include "host/refer/reference_item_model.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

#include "support/test_database.h"

namespace zel {
namespace {

class ReferenceItemModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddInventory("A001", "Bolt M6", {{"cInvCCode", "0101"}, {"cInvStd", "M6"}});
        db.AddInventory("A002", "螺母", {{"cInvCCode", "0102"}});
        db.AddInventory("B001", "bolt m8", {{"cInvCCode", "02"}});
        db.AddInventory("C001", "垫圈", {{"cInvCCode", "0101"}});
    }
    std::unique_ptr<ReferenceItemModel> Model(std::string sql, const char* type = "Inventory") {
        const auto service = db.OpenService();
        auto rows = service->OpenX(sql);
        EXPECT_NE(rows, nullptr) << sql;
        const ReferenceKind kind = ReferenceKind::Of(type);
        return std::make_unique<ReferenceItemModel>(
            std::make_shared<RecordsetCursor>(rows), kind,
            ColumnCaptions::Read(*service, kind.dictionaryKey));
    }
    static std::vector<std::string> Codes(const ReferenceItemModel& model) {
        std::vector<std::string> codes;
        for (int row = 0; row < model.rowCount(); ++row) {
            codes.push_back(model.index(row, 0).data().toString().toStdString());
        }
        return codes;
    }
    static std::vector<std::string> Headers(const ReferenceItemModel& model) {
        std::vector<std::string> headers;
        for (int column = 0; column < model.columnCount(); ++column) {
            headers.push_back(model.headerData(column, Qt::Horizontal).toString().toStdString());
        }
        return headers;
    }

    test::TestDatabase db;
    const std::string all = "select * from Inventory order by cInvCode";
};

TEST_F(ReferenceItemModelTest, PassesTheModelTesterThroughFilters) {
    auto model = Model(all);
    QAbstractItemModelTester tester(model.get(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    model->SetFilter(ItemFilter("bolt", ""));
    model->SetFilter(ItemFilter("zzz", ""));
    model->SetFilter(ItemFilter("", "01"));
    model->SetFilter(ItemFilter());
    EXPECT_EQ(model->rowCount(), 4);
}

TEST_F(ReferenceItemModelTest, ShowsCodeAndNameFirstThenTheOtherColumnsWithoutTheRowId) {
    ASSERT_TRUE(db.Execute("update aa_columndic set ccaption='型号' where cfldname='cInvStd'"));
    auto model = Model(all);
    // Captions from the column dictionary where it has one, else from the resource texts.
    EXPECT_EQ(Headers(*model),
              (std::vector<std::string>{"存货编码", "存货名称", "存货代码", "型号", "存货分类编码",
                                        "计量单位组编码", "主计量单位编码", "默认仓库"}));
    EXPECT_EQ(model->index(0, 3).data().toString(), "M6");
    EXPECT_EQ(model->index(1, 3).data().toString(), "");  // null
}

TEST_F(ReferenceItemModelTest, PutsTheCodeFirstWhereverTheQueryHasIt) {
    auto model = Model("select iId, cInvStd, cInvName, cInvCode from Inventory order by cInvCode");
    EXPECT_EQ(Headers(*model), (std::vector<std::string>{"存货编码", "存货名称", "规格型号"}));
}

TEST_F(ReferenceItemModelTest, FiltersOnCodeAndNameInAnyCase) {
    auto model = Model(all);
    model->SetFilter(ItemFilter("BOLT", ""));
    EXPECT_EQ(Codes(*model), (std::vector<std::string>{"A001", "B001"}));
    model->SetFilter(ItemFilter("a0", ""));
    EXPECT_EQ(Codes(*model), (std::vector<std::string>{"A001", "A002"}));
    model->SetFilter(ItemFilter("螺", ""));
    EXPECT_EQ(Codes(*model), (std::vector<std::string>{"A002"}));
    EXPECT_EQ(model->SourceRow(0), 1);
}

TEST_F(ReferenceItemModelTest, GivesRowsBackWhenALetterIsDeleted) {
    auto model = Model(all);
    model->SetFilter(ItemFilter("b", ""));
    model->SetFilter(ItemFilter("bo", ""));
    model->SetFilter(ItemFilter("bol", ""));
    EXPECT_EQ(model->rowCount(), 2);
    model->SetFilter(ItemFilter("b001", ""));
    EXPECT_EQ(Codes(*model), (std::vector<std::string>{"B001"}));
    model->SetFilter(ItemFilter("0", ""));
    EXPECT_EQ(model->rowCount(), 4);
}

TEST_F(ReferenceItemModelTest, NarrowsToAClassAndItsSubClasses) {
    auto model = Model(all);
    model->SetFilter(ItemFilter("", "01"));
    EXPECT_EQ(Codes(*model), (std::vector<std::string>{"A001", "A002", "C001"}));
    model->SetFilter(ItemFilter("", "0101"));
    EXPECT_EQ(Codes(*model), (std::vector<std::string>{"A001", "C001"}));
    model->SetFilter(ItemFilter("bolt", "0101"));
    EXPECT_EQ(Codes(*model), (std::vector<std::string>{"A001"}));
    model->SetFilter(ItemFilter("bolt", ""));
    EXPECT_EQ(Codes(*model), (std::vector<std::string>{"A001", "B001"}));
}

TEST_F(ReferenceItemModelTest, MatchesAnUnknownTypeOnItsFirstTwoColumns) {
    auto model =
        Model("select cInvStd, cInvName, cInvCode from Inventory order by cInvCode", "department");
    model->SetFilter(ItemFilter("m6", ""));
    EXPECT_EQ(model->rowCount(), 1);
    model->SetFilter(ItemFilter("A001", ""));  // the third column is not searched
    EXPECT_EQ(model->rowCount(), 0);
}

}  // namespace
}  // namespace zel
