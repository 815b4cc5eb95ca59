#include "mulmodify/modify_by_row.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "core/change_step.h"
#include "core/common.h"
#include "core/const.h"
#include "core/run_ignoring_errors.h"
#include "core/text_escaping.h"
#include "mulmodify/modify_queries.h"

namespace korvel {
namespace {

using Kind = ModifiableField::Kind;

bool PairExists(zel::IClsCommon& db, const std::string& warehouse, const std::string& inventory) {
    const auto count = db.OpenX(ModifyQueries::PairCount(warehouse, inventory));
    if (!count || count->Eof()) {
        return false;
    }
    const auto value = count->Fields(0);
    return value && value->ToDouble().value_or(0) > 0;
}

class RowByRowPass {
public:
    RowByRowPass(ModifyScope& scope, const std::string& caption, const ModifiableField& field,
                 const std::string& fieldAsDelivered, const std::string& value)
        : scope_(scope),
          login_(scope.context.login),
          caption_(caption),
          field_(field),
          newValue_(SqlQuoted(value)),
          value_(value),
          fieldAsDelivered_(fieldAsDelivered) {}

    void Run(zel::IRecordset& rows) {
        InitReport();
        const std::int64_t total = rows.RecordCount();
        rows.MoveFirst();
        for (std::int64_t row = 0; row < total && !rows.Eof(); ++row) {
            const std::string warehouse = NullToStr(rows.Fields("cWhCode"));
            const std::string inventory = NullToStr(rows.Fields("cInvCode"));
            if (!TryRow(warehouse, inventory)) {
                ShowOutcome(total, true);
                return;
            }
            rows.MoveNext();
        }
        ShowOutcome(total, false);
    }

private:
    void InitReport() {
        zel::IPub& pub = *login_.pub;
        const std::string captions = pub.GetResString("Zel.AA.ARCHIVE.FIELD.cwhcode") + "," +
                                     pub.GetResString("Zel.AA.ARCHIVE.FIELD.cinvcode") + "," +
                                     pub.GetResString("Zel.AA.ARCHIVE.FIELD.PUB.modifyfailreason");
        pub.ModifyInitMsg(report_, "cWhCode,cInvCode,cErrMsg", captions);
    }

    // False when an error stopped the pass at this row, the reason kept; the row is then in the
    // report. A lost connection stops it: every row after would fail the same way, and asking
    // why a row failed would need the database as well.
    bool TryRow(const std::string& warehouse, const std::string& inventory) {
        bool lost = false;
        const bool ran = RunIgnoringErrors([&] {
            // The pair is unique, so a change that reports success changed exactly this row.
            if (login_.db->ExecuteX(
                    ModifyQueries::RowUpdate(fieldAsDelivered_, newValue_, warehouse, inventory))) {
                ++done_;
                scope_.modifiedFlag = true;
            } else if (!login_.db->Status()) {
                lost = true;
                stopReason_ = login_.db->LastError();
                Report(warehouse, inventory, stopReason_);
            } else {
                Report(warehouse, inventory, RefusalReason(warehouse, inventory));
            }
        });
        if (!ran) {
            RunIgnoringErrors([&] {
                stopReason_ =
                    login_.pub->GetResString("Zel.AAARCHIVE.COMMON.modify_condi_content_error");
                Report(warehouse, inventory, stopReason_);
            });
        }
        return ran && !lost;
    }

    // The duplicate text only when the new pair is there already; a row gone or changed by
    // someone else, or any other rule the database holds, is named as such.
    std::string RefusalReason(const std::string& warehouse, const std::string& inventory) {
        zel::IPub& pub = *login_.pub;
        const std::string databaseReason = login_.db->LastError();
        if (!PairExists(*login_.db, warehouse, inventory)) {
            return pub.GetResString("Zel.AAARCHIVE.COMMON.modify_row_gone");
        }
        const bool warehouseChanges = field_.kind == Kind::kWarehouseCode;
        if (PairExists(*login_.db, warehouseChanges ? value_ : warehouse,
                       warehouseChanges ? inventory : value_)) {
            return pub.GetResString("Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.144_1");
        }
        return databaseReason.empty() ? pub.GetResString("Zel.AAARCHIVE.COMMON.modify_exe_error")
                                      : databaseReason;
    }

    void Report(const std::string& warehouse, const std::string& inventory,
                const std::string& reason) {
        login_.pub->ModifyAddMsg(report_, {warehouse, inventory, reason});
    }

    void ShowOutcome(std::int64_t total, bool stopped) {
        zel::IPub& pub = *login_.pub;
        if (stopped) {
            ShowInfoMessage(
                pub, pub.GetResFormatString(
                         "Zel.AAARCHIVE.COMMON.modify_stopped_reason",
                         {stopReason_, std::to_string(done_), std::to_string(total - done_)}));
        } else if (done_ == total) {
            ShowInfoMessage(pub, pub.GetResFormatString("Zel.AAARCHIVE.COMMON.modify_all",
                                                        {std::to_string(done_)}));
            return;
        } else if (done_ > 0) {
            ShowInfoMessage(pub, pub.GetResFormatString(
                                     "Zel.AAARCHIVE.COMMON.modify_part",
                                     {std::to_string(done_), std::to_string(total - done_)}));
        } else {
            ShowInfoMessage(pub,
                            pub.GetResFormatString("Zel.AAARCHIVE.COMMON.modify_none", {caption_}));
        }
        pub.ModifyShowMsg(scope_.window, *login_.login, *login_.db, report_);
    }

    ModifyScope& scope_;
    LoginContext& login_;
    const std::string& caption_;
    const ModifiableField& field_;
    const std::string newValue_;
    const std::string& value_;
    const std::string& fieldAsDelivered_;
    std::shared_ptr<zel::IRecordset> report_;
    std::int64_t done_ = 0;
    std::string stopReason_;
};

}  // namespace

bool ModifyByRow(ModifyScope& scope, zel::IRecordset& rows, const std::string& caption,
                 const ModifiableField& field, const std::string& fieldAsDelivered,
                 const std::string& value) {
    if (!field.IsKey()) {
        return false;
    }
    const ChangeStep step(*scope.context.login.db);
    RowByRowPass(scope, caption, field, fieldAsDelivered, value).Run(rows);
    return true;
}

}  // namespace korvel
