#pragma once

#include <string>
#include <vector>

namespace korvel {

struct LoginContext;

// A correspondence row by its key.
struct RowKey {
    std::string warehouse;
    std::string inventory;
};

struct CountedOutcome {
    bool done = false;
    long long changed = 0;  // rows whose last check is now the business date
    std::string error;      // the database's reason when not done
};

// Sets the last check of the rows to the login's business date in one statement, so that all of
// them change or none, and only where the login may write both the warehouse and the item. The
// caller holds the edit lock, which keeps the other changing windows out meanwhile.
CountedOutcome MarkCountedToday(const LoginContext& login, const std::vector<RowKey>& rows);

}  // namespace korvel
