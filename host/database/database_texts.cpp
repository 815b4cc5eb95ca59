#include "host/database/database_texts.h"

#include "host/objects/resource_texts.h"

namespace zel {
namespace {

bool StartsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

// The first kQuotedLength characters of a UTF-8 text; a cut never splits a character.
std::string Quoted(const std::string& value) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (StartsCharacter(value[i]) && characters++ == DatabaseTexts::kQuotedLength) {
            return value.substr(0, i) + "…";
        }
    }
    return value;
}

}  // namespace

std::string DatabaseTexts::Text(const std::string& key) {
    return ResourceTexts::Instance().Text(key);
}

bool DatabaseTexts::Has(const std::string& key) {
    return ResourceTexts::Instance().Contains(key);
}

std::string DatabaseTexts::Format(const std::string& key, const std::vector<std::string>& values) {
    std::vector<std::string> quoted;
    quoted.reserve(values.size());
    for (const auto& value : values) {
        quoted.push_back(Quoted(value));
    }
    return ResourceTexts::Instance().Format(key, quoted);
}

std::string DatabaseTexts::FormatWhole(const std::string& key,
                                       const std::vector<std::string>& values) {
    return ResourceTexts::Instance().Format(key, values);
}

}  // namespace zel
