#pragma once

#include <array>
#include <string>
#include <vector>

namespace korvel {

// The items the batch-add list offers: the seven columns aliased with their captions, so that
// the result's field names are the list's column headers.
struct InventoryListQuery {
    enum Mode : int { kFailed = -1, kOfClasses = 1, kAllItems = 2 };

    static constexpr std::array<const char*, 7> kCaptionKeys = {
        "Zel.AA.ARCHIVE.FIELD.cinvcode",  "Zel.AA.ARCHIVE.FIELD.cinvaddcode",
        "Zel.AA.ARCHIVE.FIELD.cinvname",  "Zel.AA.ARCHIVE.FIELD.cinvstd",
        "Zel.AA.ARCHIVE.FIELD.cinvccode", "Zel.AA.ARCHIVE.FIELD.cinvcname",
        "Zel.AA.ARCHIVE.FIELD.cwhcode"};

    // With class codes, the items of exactly those classes (kOfClasses); without, every item the
    // write authorisation and the end-date filter let through (kAllItems).
    static InventoryListQuery Build(const std::array<std::string, 7>& captions,
                                    const std::vector<std::string>& classCodes,
                                    const std::string& sAuthInvW, const std::string& endDateFilter);

    std::string sql;
    Mode mode = kFailed;
};

}  // namespace korvel
