#include "core/common.h"

#include <charconv>
#include <optional>

#include "core/run_ignoring_errors.h"
#include "core/text_case.h"

namespace korvel {
namespace {

constexpr short kFallbackDigits = 2;
constexpr short kMostDigits = 9;

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Decimals are only usable as a small whole number; anything else would make the formatting
// and the field definition meaningless.
std::optional<short> SmallWholeNumber(const std::optional<zel::Variant>& value) {
    const std::string text = value ? value->ToString() : std::string();
    const std::string_view trimmed = Trimmed(text);
    short number = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto result = std::from_chars(trimmed.data(), end, number);
    if (trimmed.empty() || result.ec != std::errc() || result.ptr != end || number < 0 ||
        number > kMostDigits) {
        return std::nullopt;
    }
    return number;
}

short ReadQuantityDigits(zel::IClsCommon& db) {
    std::string sql = "select * from AccInformation where cSysID='AA'";
    const auto settings = db.OpenX(sql);
    if (!settings || !FilterRecordset(*settings, "cID='19' and cName='iStrsQuanDecDgt'") ||
        settings->Eof()) {
        return kFallbackDigits;
    }
    if (const auto digits = SmallWholeNumber(settings->Fields("cValue"))) {
        return *digits;
    }
    return SmallWholeNumber(settings->Fields("cDefault")).value_or(kFallbackDigits);
}

// The closing tag "</ilowSum>" only matches its opening tag once the text is lower-cased.
std::string StyleText(short digits) {
    const std::string d = std::to_string(digits);
    return "<Style><iWastage>" + d + "</iWastage><ilowsum>" + d + "</ilowSum><isafenum>" + d +
           "</isafenum><itopsum>" + d + "</itopsum></Style>";
}

}  // namespace

void ShowInfoMessage(zel::IPub& pub, const std::string& text) {
    pub.MsgBox(text, zel::kMsgInformation, pub.GetResString("Zel.AA.ARCHIVE.COMMON.information"));
}

std::string JoinClauseFor(std::string_view fieldListKey) {
    if (EqualsNoCase(fieldListKey, "computationGroup.cGroupName,ComputationUnit.cComUnitName")) {
        return " Left Join computationGroup on Inventory.cGroupcode=computationGroup.cGroupCode "
               " Left Join  ComputationUnit on "
               "Inventory.cComUnitCode=ComputationUnit.cComUnitCode ";
    }
    return {};
}

void LoadQuantityStyle(ComponentContext& context) {
    QuantityStyle& quantity = context.quantity;
    zel::IPub* pub = context.login.pub.get();
    quantity.digits = kFallbackDigits;
    if (zel::IClsCommon* db = context.login.db.get()) {
        RunIgnoringErrors([&] { quantity.digits = ReadQuantityDigits(*db); });
    }
    std::string text = StyleText(quantity.digits);
    if (pub != nullptr) {
        RunIgnoringErrors([&] { pub->UtoLCase(text); });
    }
    if (quantity.style.load_string(text.c_str())) {
        return;
    }
    if (pub != nullptr) {
        RunIgnoringErrors([&] {
            ShowInfoMessage(*pub, pub->GetResString("Zel.AA.ARCHIVE.COMMON.xmlloaderror"));
        });
    }
    // The grid formats every quantity through the style, so it must never be left unset.
    quantity.style.load_string(AsciiLower(StyleText(quantity.digits)).c_str());
}

bool FilterRecordset(zel::IRecordset& recordset, std::string_view condition) {
    return recordset.SetFilter(condition);
}

}  // namespace korvel
