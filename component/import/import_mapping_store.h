#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/pub/form_store.h"
#include "import/import_column_mapping.h"

namespace korvel {

// The column mapping a user last confirmed for files with the same header, kept per user in the
// account's window options (as the windows keep theirs), so that the import window and the
// command-line import read the same choice. Without a reachable database nothing is kept and
// nothing is found.
class ImportMappingStore {
public:
    ImportMappingStore(std::shared_ptr<zel::IClsCommon> db, std::string userId);

    // nullopt when nothing is kept for this header.
    std::optional<ImportColumnMapping> Load(const std::vector<std::string>& header);
    bool Save(const std::vector<std::string>& header, const ImportColumnMapping& mapping);

    // The form key a header's mapping is kept under: the same for headers that differ only in
    // case and blanks.
    static std::string FormKeyOf(const std::vector<std::string>& header);

private:
    zel::FormStore store_;
};

}  // namespace korvel
