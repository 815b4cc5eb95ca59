#include <QApplication>
#include <utility>

#include "core/common.h"
#include "core/record_xml_writer.h"
#include "editor/frm_add_inv.h"

namespace korvel {
namespace {

// The quantities a stored row gives for the boxes the user left alone.
constexpr std::pair<const CorrespondenceField*, std::string StoredQuantities::*> kStored[] = {
    {&Field("iTopSum"), &StoredQuantities::topSum},
    {&Field("iLowSum"), &StoredQuantities::lowSum},
    {&Field("iSafeNum"), &StoredQuantities::safeNum},
    {&Field("iWastage"), &StoredQuantities::wastage}};

}  // namespace

bool FrmAddInv::SaveRs() {
    entryValid_ = true;
    CheckFocusedField();
    if (!entryValid_ || !CheckStockLimits() || !CheckLastDate()) {
        return false;
    }
    std::optional<StoredQuantities> stored;
    if (!untouchedQuantities_.empty()) {
        stored = checks_.ReadStoredQuantities(EdtcWhCode().Text(), Edtcinvcode().Text());
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
    if (filledRowSaved_) {
        std::exchange(filledRowSaved_, {})();
    }
    ResetForNext();
    return true;
}

// A save runs the check of the field being edited, as leaving it would.
void FrmAddInv::CheckFocusedField() {
    const QWidget* focused = QApplication::focusWidget();
    if (focused == &EdtcWhCode()) {
        CheckWarehouse();
    } else if (focused == &Edtcinvcode()) {
        CheckInventory();
    } else if (focused == &EdtcWhPersonCode()) {
        CheckPerson();
    } else if (focused == &EdtiSafeNum() || focused == &EdtiTopSum() || focused == &EdtiLowSum()) {
        FormatNumberBox(*static_cast<zel::Edit*>(QApplication::focusWidget()));
    } else if (focused == &EdtiWastage()) {
        CheckWastage();
    }
}

// The grid shows quantities rounded to the account's digits, and the boxes are filled from the
// grid: a box the user left alone sends the value the database holds, or a save would round it.
void FrmAddInv::MarkQuantitiesUntouched() {
    untouchedQuantities_.clear();
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        if (TakesQuantityDigits(field)) {
            untouchedQuantities_.insert(&field);
        }
    }
}

// The list shows the unit's text; the record carries its code.
std::string FrmAddInv::WriteXML(const std::optional<StoredQuantities>& stored) {
    CorrespondenceRow row = boxes_->RecordRow();
    for (const auto& [field, value] : kStored) {
        if (stored && untouchedQuantities_.contains(field) && row.Value(*field)) {
            row.Set(*field, *stored.*value);
        }
    }
    const FieldCatalogue& catalogue = context_.catalogue;
    const CorrespondenceField& unit = Field("cFrequency");
    row.Set(unit, context_.login.pub->GetCmbDB(row.Text(unit), catalogue.arrFreqText,
                                               catalogue.arrFreqValue));
    return WriteRecordXml(RecordXmlForm::kEditor, row, context_.login.login->cUserId());
}

void FrmAddInv::ResetForNext() {
    QWidget* focused = QApplication::focusWidget();
    boxes_->Clear({&Field("cWhCode"), &Field("cWhName")});
    untouchedQuantities_.clear();
    SetButtonEnabled("SaveRs", false);
    RefreshToolbar();
    FocusForNext(focused);
}

// A box the reset disabled hands the focus on along the tab order, often to one that only shows
// a name. After an add the next record starts at its first empty box (the item, the warehouse
// being kept); after a change the user goes on in the same box of the next row.
void FrmAddInv::FocusForNext(QWidget* focused) {
    QWidget* next = mode_ == kModify && boxes_->TakesEntry(focused)
                        ? focused
                        : boxes_->FirstTakingEntry(/*emptyOnly=*/true);
    if (next == nullptr) {
        next = boxes_->FirstTakingEntry(/*emptyOnly=*/false);
    }
    if (next != nullptr) {
        next->setFocus();
    }
}

}  // namespace korvel
