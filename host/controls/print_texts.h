#pragma once

#include <QString>
#include <string>
#include <vector>

namespace zel {

// The resource text of a Zel.HOST.PRINT key with its values in place, for the print windows.
QString PrintText(const char* key, const std::vector<std::string>& values = {});

}  // namespace zel
