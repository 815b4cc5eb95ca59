#include <gtest/gtest.h>

#include "framework_test_window.h"
#include "host/controls/print/print_data.h"
#include "host/controls/print/print_style.h"
#include "host/database/register_database_service.h"
#include "host/login/login.h"
#include "host/objects/object_registry.h"
#include "host/pub/pub_service.h"
#include "support/test_database.h"

namespace zel {
namespace {

constexpr const char* kDataStart = "<?xml version='1.0' standalone='yes' ?><数据>";
constexpr const char* kDataEnd = "</数据>";

// The print services as the main window calls them: a session on the test account, the grid of
// a framework window with its serial-number option.
class PubPrintTest : public ::testing::Test {
protected:
    PubPrintTest() {
        Login::Values values;
        values.userId = "u1";
        values.ysDBName = test::TestDatabase::kAccount;
        values.curDate = "2026-03-31";
        environment->session = std::make_shared<Login>(values);
        RegisterDatabaseService(registry, environment);
        FillGrid({{"序号", "存货编码", "存货名称", "最高库存"},
                  {"1", "A<1>", "螺钉 & \"垫片\"", "100.00"},
                  {"2", "B'2", "", "-3.50"}});
        window.grid->SetColAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    }

    void FillGrid(const std::vector<std::vector<std::string>>& rows) {
        FlexGrid& grid = *window.grid;
        grid.SetCols(static_cast<int>(rows[0].size()));
        grid.SetRows(static_cast<int>(rows.size()));
        grid.SetFixedRows(1);
        for (std::size_t row = 0; row < rows.size(); ++row) {
            for (std::size_t col = 0; col < rows[row].size(); ++col) {
                grid.SetTextMatrix(static_cast<int>(row), static_cast<int>(col), rows[row][col]);
            }
        }
    }

    PrintData Data(const std::string& title = "仓库存货对照表", const std::string& warehouse = "") {
        std::string data = kDataStart;
        pub.GetData(data, warehouse, "", title, "001", "u1", "张三", nullptr, *db, *window.grid);
        data += kDataEnd;
        auto parsed = PrintData::Parse(data);
        EXPECT_TRUE(parsed.has_value()) << data;
        return parsed.value_or(PrintData{});
    }

    std::string StyleNamed(const std::string& name) {
        std::string style;
        pub.GetPrnStyle("", style, name, *db, *window.grid);
        return style;
    }

    test::TestDatabase database;
    std::shared_ptr<HostEnvironment> environment = database.Environment();
    ObjectRegistry registry;
    PubService pub{environment, registry};
    std::shared_ptr<IClsCommon> db = database.OpenService();
    test::FrameworkTestWindow window;
};

// The list names the warehouse it shows in its heading; a list of no one warehouse names none.
TEST_F(PubPrintTest, GetDataCarriesTheWarehouseItIsGiven) {
    for (const std::string warehouse : {"01 成品库", "全部仓库", "<A&B>", ""}) {
        EXPECT_EQ(Data("表", warehouse).warehouse, warehouse);
    }
}

TEST_F(PubPrintTest, GetDataReadsBackAsTheGridShowsIt) {
    const PrintData data = Data("表 <A&B> \"'");
    EXPECT_EQ(data.title, "表 <A&B> \"'");
    EXPECT_EQ(data.account, "001");
    EXPECT_EQ(data.user, "张三");
    EXPECT_EQ(data.userCode, "u1");
    EXPECT_EQ(data.date, "2026-03-31");
    EXPECT_EQ(data.headers, (std::vector<std::string>{"序号", "存货编码", "存货名称", "最高库存"}));
    EXPECT_EQ(data.rightAligned, (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(data.cells, (std::vector<std::string>{"1", "A<1>", "螺钉 & \"垫片\"", "100.00", "2",
                                                    "B'2", "", "-3.50"}));
    EXPECT_EQ(data.RowCount(), 2U);
}

// One stray control character in a name must not make the whole list unprintable.
TEST_F(PubPrintTest, CharactersXmlCannotHoldAreLeftOutNotTheList) {
    window.grid->SetTextMatrix(1, 2, std::string("螺\x01钉\x1f"));
    const PrintData data = Data();
    ASSERT_EQ(data.RowCount(), 2U);
    EXPECT_EQ(data.Cell(0, 2), "螺钉");
}

TEST_F(PubPrintTest, TheSerialNumberFlagFollowsTheWindowOption) {
    window.mPrintNo->setChecked(true);
    EXPECT_TRUE(Data().serialNumbers);
    window.mPrintNo->setChecked(false);
    EXPECT_FALSE(Data().serialNumbers);
}

TEST_F(PubPrintTest, AGridWithoutRowsGivesItsHeaderOnly) {
    window.grid->SetRows(1);
    const PrintData data = Data();
    EXPECT_EQ(data.headers.size(), 4U);
    EXPECT_EQ(data.RowCount(), 0U);
}

TEST_F(PubPrintTest, WithoutAStoredStyleTheGridsColumnsArePrinted) {
    const auto style = PrintStyle::Parse(StyleNamed("WhInvContrapose"));
    ASSERT_TRUE(style.has_value());
    EXPECT_EQ(*style, PrintStyle::ForCaptions({"序号", "存货编码", "存货名称", "最高库存"}));
    EXPECT_EQ(StyleNamed(""), StyleNamed("WhInvContrapose"));
}

TEST_F(PubPrintTest, StylesAreStoredPerNameAndReplaced) {
    pub.SavePrnStyle(*db, "WhInvContrapose", "<PrintStyle><FontSize>12</FontSize></PrintStyle>");
    pub.SavePrnStyle(*db, "Other", "<PrintStyle/>");
    pub.SavePrnStyle(*db, "WhInvContrapose", "<PrintStyle><FontSize>8</FontSize></PrintStyle>");
    EXPECT_EQ(StyleNamed("WhInvContrapose"), "<PrintStyle><FontSize>8</FontSize></PrintStyle>");
    EXPECT_EQ(StyleNamed("other"), "<PrintStyle/>");
    EXPECT_EQ(database.Scalar("select count(*) from aa_prnstyle").ToString(), "2");
}

TEST_F(PubPrintTest, StyleNamesAndTextsWithApostrophesAreValuesNotSql) {
    const std::string name = "x'); drop table aa_prnstyle; --";
    pub.SavePrnStyle(*db, name, "<PrintStyle><Paper>it's</Paper></PrintStyle>");
    EXPECT_EQ(StyleNamed(name), "<PrintStyle><Paper>it's</Paper></PrintStyle>");
    EXPECT_EQ(database.Scalar("select count(*) from aa_prnstyle").ToString(), "1");
}

}  // namespace
}  // namespace zel
