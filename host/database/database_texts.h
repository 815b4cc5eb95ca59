#pragma once

#include <string>
#include <vector>

namespace zel {

// The wording of the database service's messages. The host's resource table decides; a key it
// does not hold falls back to the service's own wording, so that a refusal never reaches the
// user as a bare key.
class DatabaseTexts {
public:
    static std::string Text(const std::string& key);
    // The text with values[0] for "%1", values[1] for "%2", ...
    static std::string Format(const std::string& key, const std::vector<std::string>& values);
};

}  // namespace zel
