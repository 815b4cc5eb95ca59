#pragma once

#include <optional>
#include <string>

namespace zel {

// What whinv-import was asked for.
struct ImportRequest {
    std::string file;
    std::string database = "demo";
    // --user, when given: who the account establishes is EstablishAccountUser's to say.
    std::optional<std::string> user;
    std::string configPath;
    // yyyy-mm-dd, the business date the rows are judged on (ended items); empty: today.
    std::string date;
    // "csv" or "xlsx"; empty: told by the file.
    std::string format;
    // A workbook's sheet by name; empty: the first.
    std::string sheet;
    // The warehouse of the rows that name none.
    std::string warehouse;
    // Judge and report, write nothing to the account.
    bool dryRun = false;
    // Write the valid rows when some are refused, instead of none.
    bool validOnly = false;
    // Where the refused rows go, with their reasons; empty: nowhere. CSV unless it ends in .xlsx.
    std::string refusedFile;
};

}  // namespace zel
