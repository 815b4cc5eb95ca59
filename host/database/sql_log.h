#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace zel {

// The diagnostic log of the database service: one line per statement, appended to a file.
// Fields, tab separated: local time, operation, rows read or changed (-1 when it failed),
// elapsed milliseconds, the statement as the engine ran it, and the engine's error if any.
// Passwords in either are masked.
// A log that cannot be written is skipped: diagnostics never stop the work.
class SqlLog {
public:
    explicit SqlLog(std::string path = {}) : path_(std::move(path)) {}
    bool Enabled() const { return !path_.empty(); }

    void Append(std::string_view operation, std::string_view sql, long rows,
                std::chrono::steady_clock::duration elapsed, std::string_view error = {}) const;

private:
    std::string path_;
};

}  // namespace zel
