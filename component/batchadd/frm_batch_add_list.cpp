#include <QGroupBox>

#include "batchadd/batch_saver.h"
#include "batchadd/class_code_parent.h"
#include "batchadd/frm_batch_add.h"
#include "batchadd/inventory_list_filler.h"
#include "batchadd/inventory_list_query.h"
#include "core/blank_trim.h"
#include "core/common.h"
#include "core/const.h"
#include "core/database_failure.h"
#include "core/hourglass.h"

namespace korvel {
namespace {

constexpr const char* kRootKey = "r";

// A class node's key is "r" followed by the class code.
std::string ClassKey(std::string_view code) {
    std::string key(kRootKey);
    key += code;
    return key;
}

std::string ClassCodeOfKey(const std::string& key) {
    return key.empty() ? std::string() : std::string(TrimmedBlanks(key.substr(1)));
}

}  // namespace

void FrmBatchAdd::InitClassTree() {
    zel::IPub& pub = *context_.login.pub;
    frame_.CaptionManager().SetCaption(pub.GetResString("Zel.AA.WHINVCONTRAPOSE.batchinv"));
    frameInv_->setTitle(QString::fromStdString(pub.GetResString("Zel.AA.WHINVCONTRAPOSE.invinfo")));

    const auto gradeDef =
        OpenOrTell(context_.login, "select * from GradeDef where KeyWord='InventoryClass'");
    std::string codingRule;
    if (!gradeDef) {
        tree_->Nodes().Add("", zel::YsTreeNodes::kLast, kRootKey,
                           pub.GetResString("Zel.AA.ARCHIVE.inventoryclass"));
        return;
    }
    if (gradeDef->Eof()) {
        // Without a rule every class hangs under the root.
        ShowInfoMessage(pub, pub.GetResString("Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.14_1"));
    } else {
        codingRule = std::string(TrimmedBlanks(NullToStr(gradeDef->Fields("CODINGRULE"))));
    }
    const auto classes =
        OpenOrTell(context_.login, "select * from InventoryClass order by cInvCCode asc");
    zel::YsTreeNode* root = tree_->Nodes().Add("", zel::YsTreeNodes::kLast, kRootKey,
                                               pub.GetResString("Zel.AA.ARCHIVE.inventoryclass"));
    if (classes && !classes->Eof()) {
        AddClassNodes(*classes, codingRule);
    } else if (root) {
        root->SetSelected(true);
    }
}

void FrmBatchAdd::AddClassNodes(zel::IRecordset& classes, const std::string& codingRule) {
    zel::YsTreeNodes& nodes = tree_->Nodes();
    zel::YsTreeNode* last = nullptr;
    for (; !classes.Eof(); classes.MoveNext()) {
        const std::string code(TrimmedBlanks(NullToStr(classes.Fields("cInvCCode"))));
        const std::string parentClassKey = ClassKey(ParentClassCode(code, codingRule));
        // A class whose parent class is missing still shows, under the root.
        const std::string parentKey =
            nodes.Find(parentClassKey) ? parentClassKey : std::string(kRootKey);
        std::string text = "(";
        text += code;
        text += ") ";
        text += NullToStr(classes.Fields("cInvCName"));
        if (zel::YsTreeNode* node =
                nodes.Add(parentKey, zel::YsTreeNodes::kChild, ClassKey(code), text)) {
            last = node;
        }
    }
    if (last) {
        last->SetSelected(true);
    }
    for (int index = 1; index <= nodes.Count(); ++index) {
        nodes.Item(index)->SetExpanded(true);
    }
}

void FrmBatchAdd::CheckChildNodes(zel::YsTreeNode& node, bool state) {
    for (zel::YsTreeNode* child = node.Child(); child; child = child->Next()) {
        child->SetChecked(state);
        if (child->Children() > 0) {
            CheckChildNodes(*child, state);
        }
    }
}

void FrmBatchAdd::CheckAllClasses(bool state) {
    zel::YsTreeNodes& nodes = tree_->Nodes();
    for (int index = 1; index <= nodes.Count(); ++index) {
        nodes.Item(index)->SetChecked(state);
    }
}

std::pair<int, std::shared_ptr<zel::IRecordset>> FrmBatchAdd::QueryInventory() {
    LoginContext& login = context_.login;
    std::vector<std::string> classCodes;
    const zel::YsTreeNodes& nodes = tree_->Nodes();
    for (int index = 2; index <= nodes.Count(); ++index) {
        if (nodes.Item(index)->Checked()) {
            classCodes.push_back(ClassCodeOfKey(nodes.Item(index)->Key()));
        }
    }
    std::array<std::string, 7> captions;
    for (size_t i = 0; i < captions.size(); ++i) {
        captions[i] = login.pub->GetResString(InventoryListQuery::kCaptionKeys[i]);
    }
    const InventoryListQuery query =
        InventoryListQuery::Build(captions, classCodes, login.sAuthInvW,
                                  login.pub->GetEndDateFilter("inventory", login.sCurDate));
    auto result = login.db->Openforward(query.sql);
    if (!result) {
        std::string text = "InventoryPst:List\r\n";
        text += login.db->LastError();
        login.pub->MsgBox(text, zel::kMsgStop,
                          login.pub->GetResString("Zel.AA.ARCHIVE.COMMON.information"));
        return {InventoryListQuery::kFailed, nullptr};
    }
    return {query.mode, std::move(result)};
}

void FrmBatchAdd::lvwInventoryInit() {
    list_->Clear();
    const auto [mode, result] = QueryInventory();
    if (mode == InventoryListQuery::kFailed) {
        zel::IPub& pub = *context_.login.pub;
        ShowInfoMessage(pub, pub.GetResString("Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.493_1"));
        label_->SetCaption("");
        list_->Clear();
        return;
    }
    InventoryListFiller filler(
        *context_.login.pub,
        {[this](const std::string& text) { label_->SetCaption(text); }, [this] { LetEventsRun(); },
         [this](int loaded) { progress_->Advance(loaded); },
         [this] { return progress_->CancelRequested(); }});
    const Hourglass hourglass(*list_);
    progress_->Start(0);
    filler.FillInventoryList(*result, *list_, mode == InventoryListQuery::kOfClasses,
                             TargetWarehouse());
    progress_->Finish();
    // Part of the list offered as the whole would leave the rest out of the batch unnoticed.
    if (!ReadWholeOrTell(context_.login, *result)) {
        list_->Clear();
        label_->SetCaption("");
    }
    list_->FitColumnToLongestText(1);
    ticksUnsaved_ = true;
}

// The ticks count as dealt with once a save ran: what it could not store, it told.
void FrmBatchAdd::SaveBatch() {
    ticksUnsaved_ = false;
    std::vector<std::string> checkedCodes;
    const int count = list_->Count();
    for (int index = 1; index <= count; ++index) {
        if (list_->Checked(index)) {
            checkedCodes.push_back(list_->Text(index));
        }
    }
    BatchSaver saver(
        context_, {[this](const std::string& text) { label_->SetCaption(text); },
                   [this] { LetEventsRun(); }, [this](int done, int) { progress_->Advance(done); },
                   [this] { return progress_->CancelRequested(); }});
    progress_->Start(static_cast<int>(checkedCodes.size()));
    saver.SaveBatch(TargetWarehouse(), checkedCodes);
    progress_->Finish();
}

}  // namespace korvel
