#pragma once

#include <string>
#include <vector>

namespace zel {

// The wording of the database service's messages, from the host's resource table.
class DatabaseTexts {
public:
    static std::string Text(const std::string& key);
    static bool Has(const std::string& key);
    // The text with values[0] for "%1", values[1] for "%2", ...; a value longer than
    // kQuotedLength characters is cut there and marked with "…", so that a pasted text cannot
    // flood the message box. For values a user typed or a file held: a cell, a code, a name.
    static std::string Format(const std::string& key, const std::vector<std::string>& values);
    // The same with every value whole: for what the user must act on, a file's path, an
    // account's name or connection, an engine's reason, which cut short would send him to
    // another file or leave out what to do.
    static std::string FormatWhole(const std::string& key, const std::vector<std::string>& values);

    static constexpr std::size_t kQuotedLength = 60;
};

}  // namespace zel
