#include "import/import_mapping_store.h"

#include <cstdint>
#include <cstdio>

namespace korvel {
namespace {

// A column's option: "c" and its position; its value the field's column name, "" when ignored.
std::string ColumnOption(std::size_t column) {
    return "c" + std::to_string(column);
}

// FNV-1a: stable across runs and builds, unlike std::hash.
std::uint64_t SignatureOf(const std::vector<std::string>& header) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const std::string& cell : header) {
        for (const char c : HeaderKey(cell) + '\x1f') {
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        }
    }
    return hash;
}

}  // namespace

ImportMappingStore::ImportMappingStore(std::shared_ptr<zel::IClsCommon> db, std::string userId)
    : store_(std::move(db), std::move(userId)) {}

std::string ImportMappingStore::FormKeyOf(const std::vector<std::string>& header) {
    char signature[17];
    std::snprintf(signature, sizeof signature, "%016llx",
                  static_cast<unsigned long long>(SignatureOf(header)));
    return std::string("WhInvContrapose/Import/") + signature;
}

std::optional<ImportColumnMapping> ImportMappingStore::Load(
    const std::vector<std::string>& header) {
    const auto options = store_.Options(FormKeyOf(header));
    if (options.size() != header.size()) {
        return std::nullopt;
    }
    std::vector<const CorrespondenceField*> fields;
    for (std::size_t column = 0; column < header.size(); ++column) {
        const auto found = options.find(ColumnOption(column));
        if (found == options.end()) {
            return std::nullopt;
        }
        fields.push_back(found->second.empty() ? nullptr : FieldNamed(found->second));
    }
    return ImportColumnMapping(std::move(fields));
}

bool ImportMappingStore::Save(const std::vector<std::string>& header,
                              const ImportColumnMapping& mapping) {
    const std::string formKey = FormKeyOf(header);
    bool saved = true;
    for (std::size_t column = 0; column < header.size(); ++column) {
        const CorrespondenceField* field = mapping.FieldOf(column);
        saved = store_.SaveOption(formKey, ColumnOption(column),
                                  field ? std::string(field->column) : std::string()) &&
                saved;
    }
    return saved;
}

}  // namespace korvel
