#pragma once

#include <string>
#include <vector>

namespace zel {

// The wording of the database service's messages, from the host's resource table.
class DatabaseTexts {
public:
    static std::string Text(const std::string& key);
    // The text with values[0] for "%1", values[1] for "%2", ...
    static std::string Format(const std::string& key, const std::vector<std::string>& values);
};

}  // namespace zel
