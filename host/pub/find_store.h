#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/controls/find/find_row.h"
#include "host/pub/form_store.h"
#include "interfaces/object.h"

namespace zel {

class ILogin;

// One user's find settings per window caption, kept as window options (aa_formoption): the
// fields the find dialog offers and the lines of the last find. A value longer than an option
// holds is kept in several options.
class FindStore {
public:
    FindStore(std::shared_ptr<IClsCommon> db, std::string userId);

    // The store of the login's user in its account; nullptr without a user or a reachable
    // database, and then nothing is kept.
    static std::unique_ptr<FindStore> Open(IObjectFactory& factory, const ILogin& login);

    // Field names in the user's order; nullopt when the user has not chosen.
    std::optional<std::vector<std::string>> OfferedFields(const std::string& caption);
    bool SaveOfferedFields(const std::string& caption, const std::vector<std::string>& fields);
    // Lines whose operator is unknown are dropped; the fields are not checked.
    std::vector<FindRow> LastRows(const std::string& caption);
    bool SaveLastRows(const std::string& caption, const std::vector<FindRow>& rows);

private:
    std::optional<std::string> Value(const std::string& caption, const std::string& option);
    bool SaveValue(const std::string& caption, const std::string& option, const std::string& value);

    FormStore store_;
};

}  // namespace zel
