#pragma once

#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "component/support/main_window_fixture.h"
#include "mulmodify/modify_request.h"

namespace korvel::test {

// The multi-record modify engine over a seeded account: warehouses 01 to 03, items A001 to A005,
// storekeeper P1, every row readable unless a test narrows the rights; the host's look-up, check
// and report services answered by RecordingPub.
class ModifyTestBase : public MainWindowTest {
protected:
    void SetUp() override {
        for (const char* warehouse : {"01", "02", "03"}) {
            database.AddWarehouse(warehouse);
        }
        for (const char* item : {"A001", "A002", "A003", "A004", "A005"}) {
            database.AddInventory(item);
        }
        database.AddPerson("P1");
        BindContext();
        host = &RecordHostCalls();
        for (std::string* condition : {&context.login.sAuthInv, &context.login.sAuthInvW,
                                       &context.login.sAuthWh, &context.login.sAuthWhW}) {
            *condition = "(1=1)";
        }
        context.catalogue.arrFreqText = {"天", "周", "月"};
        context.catalogue.arrFreqValue = {"天", "周", "月"};
    }

    void Request(const std::string& condition, const std::string& field, const std::string& value,
                 const std::string& caption = "字段") {
        ModifyScope scope{context, owner, modifiedFlag};
        Find_ModifyRequest(scope, condition, caption, field, value);
    }
    // The cell as text, "NULL" for Null, "-" when there is no such row.
    std::string Cell(const std::string& warehouse, const std::string& inventory,
                     const std::string& column) {
        const zel::Variant value = database.Scalar(
            "select coalesce(cast(" + column + " as text), 'NULL') from WhInvContrapose where " +
            "cWhCode='" + warehouse + "' and cInvCode='" + inventory + "'");
        return value.IsNull() ? "-" : value.ToString();
    }
    std::string Text(const std::string& key) { return context.login.pub->GetResString(key); }
    std::string Text(const std::string& key, const std::vector<std::string>& values) {
        return context.login.pub->GetResFormatString(key, values);
    }
    std::vector<std::string> Messages() const { return MessageTexts(); }
    // The rows in the table as "wh/inv", in order.
    std::vector<std::string> Pairs() {
        std::vector<std::string> pairs;
        const auto count = database.Scalar("select count(*) from WhInvContrapose").ToDouble();
        for (int row = 0; row < static_cast<int>(count.value_or(0)); ++row) {
            pairs.push_back(database
                                .Scalar("select cWhCode || '/' || cInvCode from WhInvContrapose "
                                        "order by cWhCode, cInvCode limit 1 offset " +
                                        std::to_string(row))
                                .ToString());
        }
        return pairs;
    }
    void AnswerYes() { database.Dialogs().QueueAnswer(zel::kAnswerYes); }

    RecordingPub* host = nullptr;
    QWidget owner;
    bool modifiedFlag = false;
};

}  // namespace korvel::test
