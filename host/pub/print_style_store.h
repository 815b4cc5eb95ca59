#pragma once

#include <optional>
#include <string>

#include "interfaces/cls_common.h"

namespace zel {

// The print styles of an account (aa_prnstyle), by style name. Every value reaches the SQL as a
// quoted literal.
class PrintStyleStore {
public:
    explicit PrintStyleStore(IClsCommon& db) : db_(db) {}

    // nullopt when nothing is stored under the name or the database cannot be read.
    std::optional<std::string> Style(const std::string& styleName);
    bool Save(const std::string& styleName, const std::string& style);

private:
    IClsCommon& db_;
};

}  // namespace zel
