#include "host/database/sql_log.h"

#include <cstdio>
#include <fstream>

#include "host/database/hidden_passwords.h"
#include "host/database/local_time_text.h"

namespace zel {
namespace {

std::string Now() {
    const auto now = std::chrono::system_clock::now();
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ".%03d", static_cast<int>(millis));
    return LocalTimeText(now) + fraction;
}

// Line breaks and tabs inside a statement would split its log line. A statement or an engine's
// message may quote a connection text, whose password the log must not keep.
std::string OneLine(std::string_view text) {
    std::string line = HiddenPasswords(std::string(text));
    for (char& c : line) {
        if (c == '\n' || c == '\r' || c == '\t') {
            c = ' ';
        }
    }
    return line;
}

}  // namespace

void SqlLog::Append(std::string_view operation, std::string_view sql, long rows,
                    std::chrono::steady_clock::duration elapsed, std::string_view error) const {
    if (!Enabled()) {
        return;
    }
    std::ofstream file(path_, std::ios::app | std::ios::binary);
    if (!file) {
        return;
    }
    const double millis = std::chrono::duration<double, std::milli>(elapsed).count();
    char elapsedText[32];
    std::snprintf(elapsedText, sizeof elapsedText, "%.3f", millis);
    file << Now() << '\t' << operation << '\t' << rows << '\t' << elapsedText << '\t'
         << OneLine(sql);
    if (!error.empty()) {
        file << '\t' << OneLine(error);
    }
    file << '\n';
}

}  // namespace zel
