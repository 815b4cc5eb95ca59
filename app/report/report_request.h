#pragma once

#include <optional>
#include <string>

namespace zel {

// What every report of whinv-report is asked for: the account, who reads it, and where it goes.
struct ReportRequest {
    std::string database = "demo";
    // --user, when given: who the account establishes is EstablishAccountUser's to say.
    std::optional<std::string> user;
    std::string format = "csv";
    std::string output;  // empty: standard output (CSV only)
    std::string warehouse;
    std::string configPath;
};

}  // namespace zel
