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
    // flood the message box.
    static std::string Format(const std::string& key, const std::vector<std::string>& values);

    static constexpr std::size_t kQuotedLength = 60;
};

}  // namespace zel
