#include "setaside/set_aside_notice.h"

#include <map>

namespace korvel {

std::string SetAsideReasonInWords(zel::IPub& pub, const std::string& reason) {
    const std::string key = "Zel.AA.WHINVCONTRAPOSE.SETASIDE.reason." + reason;
    const std::string words = pub.GetResString(key);
    return words.empty() || words == key ? reason : words;
}

std::string SetAsideNoticeText(zel::IPub& pub, long untold, const std::vector<SetAsideRow>& rows) {
    std::map<std::string, long> byReason;
    for (const SetAsideRow& row : rows) {
        ++byReason[row.reason];
    }
    std::string lines;
    for (const auto& [reason, count] : byReason) {
        lines +=
            pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.SETASIDE.reason_rows",
                                   {SetAsideReasonInWords(pub, reason), std::to_string(count)}) +
            "\n";
    }
    // The list holds the rows of every upgrade not yet put back; the notice counts the last one's.
    const long others = untold - static_cast<long>(rows.size());
    if (others > 0) {
        lines += pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.SETASIDE.other_tables",
                                        {std::to_string(others)}) +
                 "\n";
    }
    if (!lines.empty()) {
        lines.pop_back();
    }
    return pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.SETASIDE.notice",
                                  {std::to_string(untold), lines});
}

}  // namespace korvel
