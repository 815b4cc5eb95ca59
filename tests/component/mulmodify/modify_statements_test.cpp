#include <algorithm>

#include "component/support/failing_db.h"
#include "modify_test_base.h"

namespace korvel::test {
namespace {

constexpr const char* kInvWrite = "(Inventory.cInvCode<>'W1')";
constexpr const char* kWhWrite = "(Warehouse.cWhCode<>'W2')";

// The statements a request sends, written out in full: the joins' double blank, the set update's
// double blank after "set" and the row update's single one are part of the texts.
class ModifyStatementsTest : public ModifyTestBase {
protected:
    void SetUp() override {
        ModifyTestBase::SetUp();
        // Distinct from the read rights, which the statements must not use.
        context.login.sAuthInvW = kInvWrite;
        context.login.sAuthWhW = kWhWrite;
        database.AddCorrespondence("01", "A001");
        database.AddCorrespondence("01", "A002");
        db = FailingDb::InPlaceOf(context.login.db);
    }
    // The tail both the matching query and the set update end with.
    static std::string Tail(const std::string& condition) {
        return std::string(
                   " from whinvcontrapose Left join Warehouse on  "
                   "whinvcontrapose.cWhCode=Warehouse.cWhCode left join Inventory on "
                   "whinvcontrapose.cInvCode=Inventory.cInvcode where ") +
               condition + " and " + kInvWrite + " and " + kWhWrite;
    }
    std::vector<std::string> Sent(const std::string& head) const {
        std::vector<std::string> sent;
        std::copy_if(db->statements.begin(), db->statements.end(), std::back_inserter(sent),
                     [&](const std::string& sql) { return sql.starts_with(head); });
        return sent;
    }

    std::shared_ptr<FailingDb> db;
};

TEST_F(ModifyStatementsTest, ASetUpdateSendsTheMatchingQueryThenOneUpdateOverTheSameRows) {
    AnswerYes();
    Request("whinvcontrapose.cWhCode='01'", "whinvcontrapose.iWastage", "5");
    // The user's condition stays one operand in brackets, so that an "or" in it cannot reach
    // past the rights.
    const std::string condition = "(whinvcontrapose.cWhCode='01')";
    EXPECT_EQ(Sent("select whinvcontrapose.cWhCode"),
              std::vector<std::string>{"select whinvcontrapose.cWhCode,whinvcontrapose.cInvCode" +
                                       Tail(condition)});
    EXPECT_EQ(Sent("update"),
              std::vector<std::string>{"update WhInvContrapose set  whinvcontrapose.iWastage='5'" +
                                       Tail(condition)});
    EXPECT_EQ(Cell("01", "A002", "iWastage"), "5");
}

TEST_F(ModifyStatementsTest, ASetUpdateOfTheCycleUnitStoresItsCodeUnderTheNarrowedCondition) {
    AnswerYes();
    Request("whinvcontrapose.cWhCode='01'", "cFrequency", "月");
    EXPECT_EQ(Sent("update"),
              std::vector<std::string>{"update WhInvContrapose set  cFrequency='月'" +
                                       Tail("(whinvcontrapose.cWhCode='01')")});
}

TEST_F(ModifyStatementsTest, AKeyFieldIsChangedRowByRowNamingEachPair) {
    Request("whinvcontrapose.cInvCode='A001'", "whinvcontrapose.cInvCode", "A003");
    EXPECT_EQ(Sent("update"),
              std::vector<std::string>{"update WhInvContrapose set whinvcontrapose.cInvCode='A003' "
                                       "where CWhCode='01' and cInvCode='A001'"});
    EXPECT_EQ(Pairs(), (std::vector<std::string>{"01/A002", "01/A003"}));
}

}  // namespace
}  // namespace korvel::test
