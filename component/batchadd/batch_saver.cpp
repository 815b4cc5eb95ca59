#include "batchadd/batch_saver.h"

#include "batchadd/batch_record.h"
#include "core/change_step.h"
#include "core/common.h"
#include "core/record_xml_writer.h"

namespace korvel {
namespace {

constexpr const char* kSavedSoFarKey = "Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.165_1";
constexpr const char* kTotalKey = "Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.149_1";
constexpr const char* kDuplicateKey = "Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.144_1";
constexpr const char* kGoOnQuestionKey = "Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.153_1";
constexpr const char* kSameAnswerKey = "Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.sameanswer";
constexpr const char* kStoppedKey = "Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.stopped";
constexpr const char* kNoWarehouseKey = "Zel.AA.WHINVCONTRAPOSE.FRMMAIN.408_1";
constexpr const char* kTable = "WhInvContrapose";

}  // namespace

BatchSaver::BatchSaver(ComponentContext& context, Window window)
    : context_(context), window_(std::move(window)) {}

BatchSaver::Outcome BatchSaver::SaveBatch(const std::string& whCode,
                                          const std::vector<std::string>& invCodes) {
    Outcome outcome;
    if (whCode.empty()) {
        // A row without a warehouse would bind the item to nothing.
        ShowInfoMessage(*context_.login.pub, context_.login.pub->GetResString(kNoWarehouseKey));
        outcome.end = End::kNoWarehouse;
        ShowTotal(0);
        return outcome;
    }
    const int total = static_cast<int>(invCodes.size());
    const ChangeStep step(*context_.login.db);
    for (int done = 0; done < total && outcome.end == End::kAllDone; ++done) {
        if (window_.letEventsRun) {
            window_.letEventsRun();
        }
        switch (SaveItem(whCode, invCodes[static_cast<size_t>(done)])) {
            case Step::kSaved:
                ++outcome.saved;
                ShowLabel(context_.login.pub->GetResFormatString(kSavedSoFarKey,
                                                                 {std::to_string(outcome.saved)}));
                break;
            case Step::kSkipped:
                break;
            case Step::kStop:
                outcome.end = End::kStoppedAtDuplicate;
                break;
            case Step::kRefused:
                outcome.end = End::kRefused;
                break;
            case Step::kFailed:
                outcome.end = End::kFailed;
                break;
        }
        if (window_.advanced) {
            window_.advanced(done + 1, total);
        }
        if (outcome.end == End::kAllDone && window_.cancelled && window_.cancelled() &&
            done + 1 < total) {
            outcome.end = End::kCancelled;
        }
    }
    if (outcome.end == End::kRefused || outcome.end == End::kFailed) {
        ShowStopped(outcome.saved, total);
    } else {
        ShowTotal(outcome.saved);
    }
    return outcome;
}

BatchSaver::Step BatchSaver::SaveItem(const std::string& whCode, const std::string& invCode) {
    LoginContext& login = context_.login;
    const auto defaults = login.db->OpenX(BatchRecord::DefaultsQuery(
        invCode, login.sAuthInvW, login.pub->GetEndDateFilter("inventory", login.sCurDate)));
    // Without its own settings the item would be saved with made-up ones.
    if (!defaults || !defaults->IsOpen()) {
        stopReason_ = login.db->LastError();
        return Step::kFailed;
    }
    const std::string xml =
        WriteRecordXml(RecordXmlForm::kBatchAdd,
                       BatchRecord::RowOf(whCode, invCode, defaults.get()), login.login->cUserId());
    std::string message;
    if (login.db->Add(xml, kTable, message)) {
        return Step::kSaved;
    }
    if (message != login.pub->GetResString(kDuplicateKey)) {
        stopReason_ = message;
        return Step::kRefused;
    }
    return GoOnAfterDuplicate(invCode, message) ? Step::kSkipped : Step::kStop;
}

bool BatchSaver::GoOnAfterDuplicate(const std::string& invCode, const std::string& message) {
    if (answerForTheRest_) {
        return *answerForTheRest_;
    }
    zel::IPub& pub = *context_.login.pub;
    bool sameForTheRest = false;
    const int answer = pub.MsgBoxWithCheck(
        pub.GetResFormatString(kGoOnQuestionKey, {invCode, message}),
        zel::kMsgQuestion + zel::kMsgYesNo, pub.GetResString("Zel.AA.ARCHIVE.COMMON.exclamation"),
        pub.GetResString(kSameAnswerKey), sameForTheRest);
    const bool goOn = answer != zel::kAnswerNo;
    if (sameForTheRest) {
        answerForTheRest_ = goOn;
    }
    return goOn;
}

void BatchSaver::ShowLabel(const std::string& text) const {
    if (window_.showLabel) {
        window_.showLabel(text);
    }
}

void BatchSaver::ShowTotal(int saved) const {
    ShowLabel(context_.login.pub->GetResFormatString(kTotalKey, {std::to_string(saved)}));
}

// The success total would read as the whole batch done: the label keeps the stop's account too.
void BatchSaver::ShowStopped(int saved, int total) const {
    zel::IPub& pub = *context_.login.pub;
    const std::string reason = stopReason_.empty()
                                   ? pub.GetResString("Zel.AA.WHINVCONTRAPOSE.COMMON.db_failed")
                                   : stopReason_;
    const std::string stopped = pub.GetResFormatString(
        kStoppedKey, {reason, std::to_string(saved), std::to_string(total - saved)});
    ShowLabel(stopped);
    ShowInfoMessage(pub, stopped);
}

}  // namespace korvel
