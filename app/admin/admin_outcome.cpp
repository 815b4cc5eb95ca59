#include "app/admin/admin_outcome.h"

#include "app/admin/admin_texts.h"

namespace zel {

std::string AdminLine(const std::string& key, const std::vector<std::string>& values) {
    return AdminTexts().Format(key, values) + "\n";
}

}  // namespace zel
