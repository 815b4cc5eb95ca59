#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "interfaces/cls_common.h"
#include "interfaces/row_auth.h"

namespace zel {

// ZelRowAuthsvr.clsRowAuth: the rows one user may read or write, from the account's tables
// aa_user (administrators see everything), aa_rowauth_object (which objects are controlled) and
// aa_rowauth (the grants). Whatever cannot be read gives no rights, never more.
class RowAuthService final : public IRowAuth {
public:
    // The factory creates the service's own database connection in Init.
    explicit RowAuthService(IObjectFactory& factory);

    void Init(const std::string& ysDBName, const std::string& userId) override;
    std::string GetAuthString(const std::string& objectName, const std::string& reserved = "",
                              const std::string& right = "") override;

private:
    std::optional<bool> IsAdministrator();
    std::optional<bool> IsControlled(const std::string& objectName);
    std::optional<std::vector<std::string>> GrantedList(const std::string& objectName, bool write);

    IObjectFactory& factory_;
    std::shared_ptr<IClsCommon> db_;
    std::string userId_;
};

}  // namespace zel
