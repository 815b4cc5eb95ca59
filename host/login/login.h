#pragma once

#include <string>

#include "interfaces/login.h"

namespace zel {

// The login object the host program fills from its command line.
class Login final : public ILogin {
public:
    struct Values {
        std::string userId = "demo";
        std::string curDate;  // empty: today
        std::string ysDBName = "demo";
        std::string accId = "001";
        std::string userName;  // empty: the user id
    };
    explicit Login(Values values);

    std::string cUserId() const override { return values_.userId; }
    std::string CurDate() const override { return values_.curDate; }
    std::string ysDBName() const override { return values_.ysDBName; }
    std::string cAcc_Id() const override { return values_.accId; }
    std::string cUserName() const override { return values_.userName; }

private:
    Values values_;
};

}  // namespace zel
