#include "host/database/database_texts.h"

#include "host/objects/resource_texts.h"

namespace zel {

std::string DatabaseTexts::Text(const std::string& key) {
    return ResourceTexts::Instance().Text(key);
}

std::string DatabaseTexts::Format(const std::string& key, const std::vector<std::string>& values) {
    return ResourceTexts::Instance().Format(key, values);
}

}  // namespace zel
