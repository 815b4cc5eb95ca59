#pragma once

#include <QString>
#include <map>
#include <string>
#include <vector>

namespace zel {

// The host's resource table: key → text, read from the embedded texts.tsv (key, tab, text; "\n"
// in a text stands for a line break). Shared by every service that words a message.
class ResourceTexts {
public:
    static const ResourceTexts& Instance();
    explicit ResourceTexts(const std::string& tsv);

    // The text of a key; an unknown key comes back as the key itself, so a gap is visible.
    std::string Text(const std::string& key) const;
    // The text with values[0] for "%1", values[1] for "%2", ...
    std::string Format(const std::string& key, const std::vector<std::string>& values) const;
    bool Contains(const std::string& key) const { return texts_.contains(key); }
    const std::map<std::string, std::string>& All() const { return texts_; }

private:
    std::map<std::string, std::string> texts_;
};

// The shared table's text of a key with its values in place, for a widget.
QString ResourceQString(const std::string& key, const std::vector<std::string>& values = {});

}  // namespace zel
