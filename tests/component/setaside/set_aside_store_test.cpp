#include "setaside/set_aside_store.h"

#include <algorithm>

#include "component/support/main_window_fixture.h"
#include "host/database/cls_common.h"
#include "host/database/sql_backend.h"
#include "support/server_roles.h"

namespace korvel {
namespace {

struct ReadRightsCase {
    const char* user;
    const char* name;
    bool administrator;
    bool warehousesControlled;
    bool itemsControlled;
    // "object code right" rows of aa_rowauth.
    std::vector<std::string> grants;
    // "warehouse/item" of the side rows read, sorted.
    std::vector<std::string> reads;
    bool readsEveryRow;
};

// Warehouses 01 and 02, items C001 and C002; the side rows name them, a warehouse that is gone
// (09) and an item that is gone (X404).
const ReadRightsCase kReadRightsCases[] = {
    {"boss",
     "an administrator",
     true,
     true,
     true,
     {},
     {"01/C001", "01/X404", "02/C002", "09/C001"},
     true},
    {"open",
     "a user where nothing is controlled",
     false,
     false,
     false,
     {},
     {"01/C001", "01/X404", "02/C002", "09/C001"},
     true},
    {"wh01",
     "a clerk granted warehouse 01",
     false,
     true,
     false,
     {"Warehouse 01 R"},
     {"01/C001", "01/X404"},
     false},
    {"wh09",
     "a clerk whose grant names a warehouse that is gone",
     false,
     true,
     false,
     {"Warehouse 09 W"},
     {"09/C001"},
     false},
    {"inv",
     "a clerk granted item C001",
     false,
     false,
     true,
     {"Inventory C001 R"},
     {"01/C001", "09/C001"},
     false},
    {"both",
     "a clerk granted warehouse 02 and item C002",
     false,
     true,
     true,
     {"Warehouse 02 R", "Inventory C002 W"},
     {"02/C002"},
     false},
    {"none", "a user without rights", false, true, true, {}, {}, false},
};

// The side rows of one account read by users of different rights, on the account's engine: on a
// server each is a login of his own, under the row policies the upgrade gave the side table.
class SetAsideStoreTest : public test::MainWindowTest {
protected:
    void SetUp() override {
        database.AddWarehouse("01", "成品库");
        database.AddWarehouse("02", "原料库");
        database.AddInventory("C001", "钉");
        database.AddInventory("C002", "铆");
        LayDownSideRows();
    }

    // On a server the upgrade itself makes the side table, with its policies, from a row written
    // before the rule of numbers; the other rows are added beside it by the account's owner,
    // whom no policy binds. A file gets the table by hand, as its upgrade leaves it.
    void LayDownSideRows() {
        if (database.OnServer()) {
            ASSERT_TRUE(database.Execute(
                "alter table WhInvContrapose drop column dNextDate, drop constraint "
                "not_a_number; update whinv_schema set version = 5; insert into WhInvContrapose "
                "(cWhCode, cInvCode, iFrequency) values ('01', 'C001', 1.5)"));
            ASSERT_NE(database.OpenBackend(), nullptr);
            ASSERT_EQ(database.Scalar("select count(*) from WhInvContrapose_set_aside").ToString(),
                      "1");
        } else {
            ASSERT_TRUE(database.Execute(
                "create table WhInvContrapose_set_aside (cWhCode, cInvCode, iFrequency, "
                "cSetAsideReason, dSetAside, iSetAsideFrom); insert into "
                "WhInvContrapose_set_aside values ('01', 'C001', '1.5', 'not_a_number', "
                "'2024-03-01 08:00:00', 5)"));
        }
        ASSERT_TRUE(database.Execute(
            "insert into WhInvContrapose_set_aside (cWhCode, cInvCode, cSetAsideReason, "
            "dSetAside, iSetAsideFrom) values "
            "('02', 'C002', 'duplicate_key', '2024-03-01 08:00:00', 5), "
            "('09', 'C001', 'missing_reference', '2024-03-01 08:00:00', 5), "
            "('01', 'X404', 'missing_reference', '2024-03-01 08:00:00', 5)"));
    }

    // The user with his rights, and the services Show binds for him.
    void BindUser(const ReadRightsCase& each) {
        user = database.AddLogin(each.user);
        ASSERT_TRUE(database.Execute(
            "delete from aa_rowauth_object; insert into aa_rowauth_object values ('Warehouse', " +
            std::string(each.warehousesControlled ? "1" : "0") + "), ('Inventory', " +
            (each.itemsControlled ? "1" : "0") + "); insert into aa_user values ('" + user.userId +
            "', '" + each.user + "', " + (each.administrator ? "1" : "0") + ")"));
        for (const std::string& grant : each.grants) {
            const std::size_t first = grant.find(' ');
            const std::size_t last = grant.rfind(' ');
            ASSERT_TRUE(database.Execute("insert into aa_rowauth values ('" + user.userId + "', '" +
                                         grant.substr(0, first) + "', '" +
                                         grant.substr(first + 1, last - first - 1) + "', '" +
                                         grant.substr(last + 1) + "')"));
        }
        BindContext(user);
    }

    static std::vector<std::string> Named(const std::vector<SetAsideRow>& rows) {
        std::vector<std::string> named;
        for (const SetAsideRow& row : rows) {
            named.push_back(row.ValueOf("cWhCode").value_or("") + "/" +
                            row.ValueOf("cInvCode").value_or(""));
        }
        std::sort(named.begin(), named.end());
        return named;
    }

    // What the server's policies let the login read, asked without the program's conditions.
    std::vector<std::string> ServerReads() {
        zel::test::ServerSession session(database.Path() + " user=" + user.userId);
        return session.Column(
            "select cWhCode || '/' || cInvCode from WhInvContrapose_set_aside order by 1");
    }

    zel::test::TestDatabase::UserLogin user;
};

class SetAsideReadRightsTest : public SetAsideStoreTest,
                               public ::testing::WithParamInterface<ReadRightsCase> {};

// The list reads what the user could read were the rows in the table, and on a server exactly
// what the side table's own policies let him read.
TEST_P(SetAsideReadRightsTest, ReadsTheRowsTheUserMayRead) {
    const ReadRightsCase& each = GetParam();
    BindUser(each);
    SetAsideStore store(context.login);
    const auto rows = store.ReadRows();
    ASSERT_TRUE(rows) << store.LastError();
    EXPECT_EQ(Named(*rows), each.reads);
    EXPECT_EQ(store.ReadsEveryRow(), each.readsEveryRow);
    if (database.OnServer()) {
        EXPECT_EQ(ServerReads(), each.reads) << "the same rows as the server's own policies";
    }
}

INSTANTIATE_TEST_SUITE_P(Users, SetAsideReadRightsTest, ::testing::ValuesIn(kReadRightsCases),
                         [](const ::testing::TestParamInfo<ReadRightsCase>& info) {
                             return std::string(info.param.user);
                         });

// A row is put back by the identity it was read with, and only that row leaves.
TEST_F(SetAsideStoreTest, RemovesTheRowItRead) {
    BindUser(kReadRightsCases[0]);
    SetAsideStore store(context.login);
    auto rows = store.ReadRows();
    ASSERT_TRUE(rows && rows->size() == 4U) << store.LastError();
    const auto missingItem = std::find_if(rows->begin(), rows->end(), [](const SetAsideRow& row) {
        return row.ValueOf("cInvCode") == "X404";
    });
    ASSERT_NE(missingItem, rows->end());
    ASSERT_TRUE(store.Remove(*missingItem)) << store.LastError();
    rows = store.ReadRows();
    ASSERT_TRUE(rows);
    EXPECT_EQ(Named(*rows), (std::vector<std::string>{"01/C001", "02/C002", "09/C001"}));
}

}  // namespace
}  // namespace korvel
