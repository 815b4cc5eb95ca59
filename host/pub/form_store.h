#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "interfaces/cls_common.h"

namespace zel {

// One user's stored window layouts (aa_formlayout) and window options (aa_formoption) in an
// account database. Every value reaches the SQL as a quoted literal with its apostrophes doubled.
class FormStore {
public:
    FormStore(std::shared_ptr<IClsCommon> db, std::string userId);

    // nullopt when nothing is stored or the database cannot be read.
    std::optional<std::string> Layout(const std::string& formKey);
    bool SaveLayout(const std::string& formKey, const std::string& layout);
    // Option key → stored value; empty when nothing is stored or the database cannot be read.
    std::map<std::string, std::string> Options(const std::string& formKey);
    bool SaveOption(const std::string& formKey, const std::string& option,
                    const std::string& value);

private:
    // Changes the row the condition selects, or adds it when there is none.
    bool Upsert(const std::string& update, const std::string& insert);
    std::string FormCondition(const std::string& formKey) const;

    std::shared_ptr<IClsCommon> db_;
    std::string userId_;
};

}  // namespace zel
