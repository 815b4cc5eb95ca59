#include "batchadd/inventory_list_query.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

const std::array<std::string, 7> kCaptions = {
    "存货编码", "存货代码", "存货名称", "规格型号", "存货分类编码", "存货分类名称", "仓库编码"};
const std::string kSelect =
    "Select cInvCode as [存货编码],cInvAddCode as [存货代码],cInvName as [存货名称],cInvStd as "
    "[规格型号],Inventory.cInvCCode as [存货分类编码] ,cInvCName as [存货分类名称],"
    "cDefWareHouse as [仓库编码]";

TEST(InventoryListQuery, ListsTheCheckedClassesWithOneClosingBracketAndQuotedCodes) {
    const auto query =
        InventoryListQuery::Build(kCaptions, {"01", "0'2"}, "(1=1)", "(dEDate is null)");
    EXPECT_EQ(query.mode, InventoryListQuery::kOfClasses);
    EXPECT_EQ(query.sql,
              kSelect +
                  " from Inventory   Left Join InventoryClass on "
                  "Inventory.cInvCCode=InventoryClass.cInvCCode  where (Inventory.cInvCCode in "
                  "('01','0''2') ) and (1=1) and (dEDate is null) Order by "
                  "Inventory.cInvCCode,cInvCode ASC");
}

TEST(InventoryListQuery, ListsEveryWritableItemWithoutClasses) {
    const auto query = InventoryListQuery::Build(kCaptions, {}, "(1=2)", "(1=1)");
    EXPECT_EQ(query.mode, InventoryListQuery::kAllItems);
    EXPECT_EQ(query.sql, kSelect +
                             " from Inventory  Left Join InventoryClass on "
                             "Inventory.cInvCCode=InventoryClass.cInvCCode  Where (1=2) and "
                             "(1=1)  Order by Inventory.cInvCCode,cInvCode ASC");
}

TEST(InventoryListQuery, DoublesAClosingBracketInsideACaption) {
    auto captions = kCaptions;
    captions[0] = "编码]";
    const auto query = InventoryListQuery::Build(captions, {}, "(1=1)", "(1=1)");
    EXPECT_EQ(query.sql.rfind("Select cInvCode as [编码]]],", 0), 0u) << query.sql;
}

}  // namespace
}  // namespace korvel
