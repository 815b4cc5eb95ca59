#include "core/date_check.h"

#include "core/blank_trim.h"
#include "host/objects/host_date.h"

namespace korvel {

std::optional<std::string> CheckedDate(zel::IPub& pub, std::string_view typed,
                                       const std::string& caption) {
    if (TrimmedBlanks(typed).empty()) {
        return std::string();
    }
    if (const auto date = zel::HostDate::Parse(typed)) {
        return date->ToIso();
    }
    // The host's own check refuses the text as well, and tells the user how a date is written.
    pub.CheckDateStyle(std::string(typed), caption);
    return std::nullopt;
}

}  // namespace korvel
