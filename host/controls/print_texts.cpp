#include "host/controls/print_texts.h"

#include "host/objects/resource_texts.h"

namespace zel {

QString PrintText(const char* key, const std::vector<std::string>& values) {
    return QString::fromStdString(ResourceTexts::Instance().Format(key, values));
}

}  // namespace zel
