#include <QApplication>

#include "core/common.h"
#include "editor/frm_add_inv.h"
#include "editor/record_xml.h"

namespace korvel {
namespace {

// What the record carries only from boxes the user can reach.
std::optional<std::string> IfSendable(const QWidget& box, const std::string& text) {
    if (!box.isEnabled() || box.isHidden()) {
        return std::nullopt;
    }
    return text;
}

}  // namespace

bool FrmAddInv::SaveRs() {
    entryValid_ = true;
    CheckFocusedField();
    if (!entryValid_ || !CheckLastDate()) {
        return false;
    }
    std::optional<StoredQuantities> stored;
    if (!untouchedQuantities_.empty()) {
        stored = checks_.ReadStoredQuantities(whCode_->Text(), invCode_->Text());
        // Sending the rounded texts of the boxes instead would change what the user left alone.
        if (checks_.LastLookupFailed()) {
            return false;
        }
    }
    std::string xml = WriteXML(stored);
    std::string message;
    zel::IClsCommon& db = *context_.login.db;
    const bool saved = mode_ == kAdd ? db.Add(xml, "WhInvContrapose", message)
                                     : db.Modify(xml, "WhInvContrapose", message);
    if (!saved) {
        ShowInfoMessage(*context_.login.pub, message);
        return false;
    }
    if (mode_ == kModify) {
        FillfieldsToGrid();
    }
    ResetForNext();
    return true;
}

// A save runs the check of the field being edited, as leaving it would.
void FrmAddInv::CheckFocusedField() {
    const QWidget* focused = QApplication::focusWidget();
    if (focused == whCode_) {
        CheckWarehouse();
    } else if (focused == invCode_) {
        CheckInventory();
    } else if (focused == person_) {
        CheckPerson();
    } else if (focused == safeNum_ || focused == topSum_ || focused == lowSum_) {
        FormatNumberBox(*static_cast<zel::Edit*>(QApplication::focusWidget()));
    } else if (focused == wastage_) {
        CheckWastage();
    }
}

// The grid shows quantities rounded to the account's digits, and the boxes are filled from the
// grid: a box the user left alone sends the value the database holds, or a save would round it.
void FrmAddInv::MarkQuantitiesUntouched() {
    untouchedQuantities_ = {topSum_, lowSum_, safeNum_, wastage_};
}

std::string FrmAddInv::WriteXML(const std::optional<StoredQuantities>& stored) {
    auto quantity = [&](const zel::Edit& box, std::string StoredQuantities::*value) {
        const bool untouched = stored && untouchedQuantities_.contains(&box);
        return IfSendable(box, untouched ? *stored.*value : box.Text());
    };
    RecordXmlFields fields;
    fields.whCode = whCode_->Text();
    fields.invCode = invCode_->Text();
    fields.personCode = person_->Tag();
    fields.topSum = quantity(*topSum_, &StoredQuantities::topSum);
    fields.lowSum = quantity(*lowSum_, &StoredQuantities::lowSum);
    fields.safeNum = quantity(*safeNum_, &StoredQuantities::safeNum);
    fields.wastage = quantity(*wastage_, &StoredQuantities::wastage);
    fields.frequency = IfSendable(*frequency_, frequency_->Text());
    fields.frequencyCode = context_.login.pub->GetCmbDB(
        unit_->Text(), context_.catalogue.arrFreqText, context_.catalogue.arrFreqValue);
    fields.days = IfSendable(*days_, days_->Text());
    fields.lastDate = IfSendable(*lastDate_, lastDate_->Text());
    fields.userId = context_.login.login->cUserId();
    return WriteRecordXml(fields);
}

void FrmAddInv::ResetForNext() {
    for (zel::Edit* edit : findChildren<zel::Edit*>()) {
        if (edit != whCode_ && edit != whName_) {
            edit->SetText({});
            edit->SetUTooltipText({});
        }
    }
    person_->SetTag({});
    untouchedQuantities_.clear();
    for (zel::YsComboBox* combo : findChildren<zel::YsComboBox*>()) {
        combo->SetListIndex(-1);
    }
    SetButtonEnabled("SaveRs", false);
    RefreshToolbar();
}

}  // namespace korvel
