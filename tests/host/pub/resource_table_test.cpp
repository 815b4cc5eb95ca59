#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/objects/resource_texts.h"

namespace zel {
namespace {

const ResourceTexts& Table() {
    return ResourceTexts::Instance();
}

// The highest placeholder a text uses ("%2" gives 2).
int PlaceholderCount(const std::string& text) {
    int highest = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') {
            highest = std::max(highest, text[i + 1] - '0');
        }
    }
    return highest;
}

struct KeyUse {
    const char* key;
    int values;  // how many values the callers pass
};

// Every key the windows, messages and services ask for.
const std::vector<KeyUse> kKeysInUse = {
    {"Zel.AA.ARCHIVE.COMMON.add", 0},
    {"Zel.AA.ARCHIVE.COMMON.cdrequency_day", 0},
    {"Zel.AA.ARCHIVE.COMMON.cdrequency_month", 0},
    {"Zel.AA.ARCHIVE.COMMON.cdrequency_week", 0},
    {"Zel.AA.ARCHIVE.COMMON.conditionerror", 0},
    {"Zel.AA.ARCHIVE.COMMON.dbconnectfail", 0},
    {"Zel.AA.ARCHIVE.COMMON.exclamation", 0},
    {"Zel.AA.ARCHIVE.COMMON.findnothing", 0},
    {"Zel.AA.ARCHIVE.COMMON.information", 0},
    {"Zel.AA.ARCHIVE.COMMON.loadrowauthsvrfail", 0},
    {"Zel.AA.ARCHIVE.COMMON.loadsrvdbfail", 0},
    {"Zel.AA.ARCHIVE.COMMON.modify", 0},
    {"Zel.AA.ARCHIVE.COMMON.modifysuccess", 0},
    {"Zel.AA.ARCHIVE.COMMON.mulmodify", 0},
    {"Zel.AA.ARCHIVE.COMMON.no_cwhcode_name_auth", 0},
    {"Zel.AA.ARCHIVE.COMMON.no_inv_auth_stop", 0},
    {"Zel.AA.ARCHIVE.COMMON.nodata", 0},
    {"Zel.AA.ARCHIVE.COMMON.nologin", 0},
    {"Zel.AA.ARCHIVE.COMMON.rstcount", 1},
    {"Zel.AA.ARCHIVE.COMMON.serialnumber", 0},
    {"Zel.AA.ARCHIVE.COMMON.week1", 0},
    {"Zel.AA.ARCHIVE.COMMON.week2", 0},
    {"Zel.AA.ARCHIVE.COMMON.week3", 0},
    {"Zel.AA.ARCHIVE.COMMON.week4", 0},
    {"Zel.AA.ARCHIVE.COMMON.week5", 0},
    {"Zel.AA.ARCHIVE.COMMON.week6", 0},
    {"Zel.AA.ARCHIVE.COMMON.week7", 0},
    {"Zel.AA.ARCHIVE.COMMON.xmlloaderror", 0},
    {"Zel.AA.ARCHIVE.FIELD.PUB.modifyfailreason", 0},
    {"Zel.AA.ARCHIVE.FIELD.cgroupcode", 0},
    {"Zel.AA.ARCHIVE.FIELD.cgroupname", 0},
    {"Zel.AA.ARCHIVE.FIELD.cinvaddcode", 0},
    {"Zel.AA.ARCHIVE.FIELD.cinvccode", 0},
    {"Zel.AA.ARCHIVE.FIELD.cinvcname", 0},
    {"Zel.AA.ARCHIVE.FIELD.cinvcode", 0},
    {"Zel.AA.ARCHIVE.FIELD.cinvname", 0},
    {"Zel.AA.ARCHIVE.FIELD.cinvstd", 0},
    {"Zel.AA.ARCHIVE.FIELD.codecolon", 0},
    {"Zel.AA.ARCHIVE.FIELD.cunitgroup", 0},
    {"Zel.AA.ARCHIVE.FIELD.cwhcode", 0},
    {"Zel.AA.ARCHIVE.FIELD.cwhname", 0},
    {"Zel.AA.ARCHIVE.FIELD.day", 0},
    {"Zel.AA.ARCHIVE.FIELD.main_ccomunit", 0},
    {"Zel.AA.ARCHIVE.FIELD.main_ccomunitcode", 0},
    {"Zel.AA.ARCHIVE.FIELD.main_ccomunitname", 0},
    {"Zel.AA.ARCHIVE.FIELD.namecolon", 0},
    {"Zel.AA.ARCHIVE.inventoryclass", 0},
    {"Zel.AA.ARCHIVE.warehouse", 0},
    {"Zel.AA.ARCHIVE.whinvcontrapose", 0},
    {"Zel.AA.ARCHIVE.whinvcontraposetable", 0},
    {"Zel.AA.WHINVCONTRAPOSE.FRMADDINV.206_1", 1},
    {"Zel.AA.WHINVCONTRAPOSE.FRMADDINV.451_1", 0},
    {"Zel.AA.WHINVCONTRAPOSE.FRMADDINV.522_1", 0},
    {"Zel.AA.WHINVCONTRAPOSE.FRMADDINV.551_1", 0},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.144_1", 0},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.149_1", 1},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.14_1", 0},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.153_1", 2},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.165_1", 1},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.353_1", 1},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.358_1", 1},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.447_1", 0},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.454_1", 0},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.458_1", 0},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.493_1", 0},
    {"Zel.AA.WHINVCONTRAPOSE.FRMMAIN.408_1", 0},
    {"Zel.AA.WHINVCONTRAPOSE.FRMMAIN.770_1", 0},
    {"Zel.AA.WHINVCONTRAPOSE.batchinv", 0},
    {"Zel.AA.WHINVCONTRAPOSE.cpersoncode", 0},
    {"Zel.AA.WHINVCONTRAPOSE.cpersonname", 0},
    {"Zel.AA.WHINVCONTRAPOSE.invinfo", 0},
    {"Zel.AA.WHINVCONTRAPOSE.person", 0},
    {"Zel.AAARCHIVE.COMMON.del_contra_ornot", 2},
    {"Zel.AAARCHIVE.COMMON.modify_all", 1},
    {"Zel.AAARCHIVE.COMMON.modify_condi_content_error", 0},
    {"Zel.AAARCHIVE.COMMON.modify_count", 1},
    {"Zel.AAARCHIVE.COMMON.modify_exe_error", 0},
    {"Zel.AAARCHIVE.COMMON.modify_no_match", 0},
    {"Zel.AAARCHIVE.COMMON.modify_none", 1},
    {"Zel.AAARCHIVE.COMMON.modify_part", 2},
    {"Zel.AAARCHIVE.COMMON.modify_empty_limit", 1},
    {"Zel.AAARCHIVE.COMMON.modify_stopped", 2},
    {"Zel.AAARCHIVE.COMMON.modify_row_gone", 0},
    {"Zel.AAARCHIVE.COMMON.nokeycol_nodel", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.SetUp", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.Print", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.Preview", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.SaveFile", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.BatchAdd", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.Add", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.Modify", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.Delete", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.MulModify", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.Filter", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.Pos", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.Refresh", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.Help", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.Exit", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.SaveRs", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.Cancel", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.First", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.Previous", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.Next", 0},
    {"Zel.AA.ARCHIVE.TOOLBAR.Last", 0},
    {"Zel.HOST.HELP.title", 0},
    {"Zel.HOST.LOCK.check_failed", 0},
    {"Zel.HOST.LOCK.edit_busy", 1},
    {"Zel.HOST.LOCK.function_busy", 1},
};

TEST(ResourceTable, EveryKeyInUseHasATextWithOnePlaceForEachValue) {
    for (const auto& use : kKeysInUse) {
        SCOPED_TRACE(use.key);
        ASSERT_TRUE(Table().Contains(use.key));
        const std::string text = Table().Text(use.key);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(PlaceholderCount(text), use.values);
    }
}

struct FixedText {
    const char* key;
    const char* text;
};

// Texts the windows are laid out for and that other parts compare with.
const std::vector<FixedText> kFixedTexts = {
    {"Zel.AA.ARCHIVE.COMMON.information", "提示信息"},
    {"Zel.AA.ARCHIVE.COMMON.exclamation", "警告信息"},
    {"Zel.AA.ARCHIVE.COMMON.nologin", "没有传入Login对象！"},
    {"Zel.AA.ARCHIVE.COMMON.loadsrvdbfail", "没有找到连接数据库的动态库！"},
    {"Zel.AA.ARCHIVE.COMMON.dbconnectfail", "数据库连接失败！\n请检查数据库连接！"},
    {"Zel.AA.ARCHIVE.COMMON.loadrowauthsvrfail", "创建权限对象失败！"},
    {"Zel.AA.ARCHIVE.whinvcontrapose", "仓库存货对照"},
    {"Zel.AA.ARCHIVE.whinvcontraposetable", "仓库存货对照表"},
    {"Zel.AA.ARCHIVE.warehouse", "仓库"},
    {"Zel.AA.ARCHIVE.inventoryclass", "存货分类"},
    {"Zel.AA.ARCHIVE.COMMON.serialnumber", "序号"},
    {"Zel.AA.ARCHIVE.COMMON.nodata", "没有可用数据！"},
    {"Zel.AA.ARCHIVE.COMMON.findnothing", "没有符合条件的记录！"},
    {"Zel.AA.WHINVCONTRAPOSE.FRMMAIN.408_1", "请点击具体的仓库名称！"},
    {"Zel.AA.WHINVCONTRAPOSE.FRMMAIN.770_1", "没有仓库信息"},
    {"Zel.AAARCHIVE.COMMON.nokeycol_nodel", "从栏目设置中，选中'存货编码'栏目，否则不予删除！"},
    {"Zel.AA.ARCHIVE.FIELD.cwhcode", "仓库编码"},
    {"Zel.AA.ARCHIVE.FIELD.cwhname", "仓库名称"},
    {"Zel.AA.ARCHIVE.FIELD.cinvcode", "存货编码"},
    {"Zel.AA.ARCHIVE.FIELD.cinvname", "存货名称"},
    {"Zel.AA.ARCHIVE.FIELD.cinvstd", "规格型号"},
    {"Zel.AA.ARCHIVE.FIELD.cgroupcode", "计量单位组编码"},
    {"Zel.AA.ARCHIVE.FIELD.cgroupname", "计量单位组名称"},
    {"Zel.AA.ARCHIVE.FIELD.main_ccomunitcode", "主计量单位编码"},
    {"Zel.AA.ARCHIVE.FIELD.main_ccomunitname", "主计量单位名称"},
    {"Zel.AA.ARCHIVE.COMMON.week1", "星期日"},
    {"Zel.AA.ARCHIVE.COMMON.week2", "星期一"},
    {"Zel.AA.ARCHIVE.COMMON.week3", "星期二"},
    {"Zel.AA.ARCHIVE.COMMON.week4", "星期三"},
    {"Zel.AA.ARCHIVE.COMMON.week5", "星期四"},
    {"Zel.AA.ARCHIVE.COMMON.week6", "星期五"},
    {"Zel.AA.ARCHIVE.COMMON.week7", "星期六"},
    {"Zel.AA.WHINVCONTRAPOSE.FRMADDINV.522_1", "盘点周期必须大于零！"},
    {"Zel.AA.WHINVCONTRAPOSE.FRMADDINV.551_1", "合理损耗率必须大于零！"},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.14_1", "数据库系统没有设定存货分类编码规则！\n建议设定!"},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.144_1", "仓库存货对照已经存在！"},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.447_1", "正在加载数据..."},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.454_1", "没有分类信息！"},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.458_1", "正在保存数据..."},
    {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.493_1", "显示存货信息出错"},
};

TEST(ResourceTable, FixedTextsStandExactly) {
    for (const auto& fixed : kFixedTexts) {
        EXPECT_EQ(Table().Text(fixed.key), fixed.text) << fixed.key;
    }
}

struct FormattedText {
    const char* key;
    std::vector<std::string> values;
    const char* text;
};

TEST(ResourceTable, ValuesLandWhereTheSentencesNeedThem) {
    const std::vector<FormattedText> cases = {
        {"Zel.AA.ARCHIVE.COMMON.rstcount", {"12"}, "当前记录数：12 条"},
        {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.153_1",
         {"A01", "仓库存货对照已经存在！"},
         "存货编号为A01的仓库存货对照已经存在！继续批量添加吗？"},
        {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.149_1", {"3"}, "成功添加了3条数据"},
        {"Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.358_1", {"40"}, "成功加载了40条数据"},
        {"Zel.AA.WHINVCONTRAPOSE.FRMADDINV.206_1", {"月"}, "每月第"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Table().Format(c.key, c.values), c.text) << c.key;
    }
}

// The unit texts are what the editor shows and what the day label names; the stored codes are
// the same characters, so a stored unit is found among the shown ones.
TEST(ResourceTable, UnitTextsMatchTheStoredUnitCodes) {
    EXPECT_EQ(Table().Text("Zel.AA.ARCHIVE.COMMON.cdrequency_day"), "天");
    EXPECT_EQ(Table().Text("Zel.AA.ARCHIVE.COMMON.cdrequency_week"), "周");
    EXPECT_EQ(Table().Text("Zel.AA.ARCHIVE.COMMON.cdrequency_month"), "月");
}

}  // namespace
}  // namespace zel
