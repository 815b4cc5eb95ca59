#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zel {

// A calendar date written yyyy-mm-dd, yyyy-m-d or yyyy/m/d; stored as yyyy-mm-dd.
class HostDate {
public:
    // nullopt for free text and for dates the calendar does not have ("2026-02-30").
    static std::optional<HostDate> Parse(std::string_view text);
    std::string ToIso() const;

private:
    int year_ = 0;
    int month_ = 0;
    int day_ = 0;
};

}  // namespace zel
