#include "import/import_column_mapping.h"

#include <algorithm>

namespace korvel {
namespace {

constexpr const char* kFieldTwice = "Zel.AA.WHINVCONTRAPOSE.IMPORT.field_twice";
constexpr const char* kMissingColumn = "Zel.AA.WHINVCONTRAPOSE.IMPORT.missing_column";

bool IsKey(const CorrespondenceField& field) {
    return &field == &Field("cWhCode") || &field == &Field("cInvCode");
}

// A field read from another table ("Person.cPersonName") is also named by its bare column.
std::string_view BareColumn(std::string_view column) {
    const std::size_t dot = column.rfind('.');
    return dot == std::string_view::npos ? column : column.substr(dot + 1);
}

std::string CatalogueCaption(const CorrespondenceField& field, const FieldCatalogue& catalogue) {
    const int index = field.catalogue.captionIndex;
    return index == kNoPosition ? std::string()
                                : catalogue.arrFldCaption[static_cast<std::size_t>(index)];
}

std::string DefinitionCaption(const CorrespondenceField& field, zel::IPub& pub) {
    const std::string_view key = field.definition.captionKey;
    return key.empty() ? std::string() : pub.GetResString(std::string(key));
}

// Every name a field answers to, as HeaderKey writes it.
std::vector<std::vector<std::string>> NamesOfFields(const FieldCatalogue& catalogue,
                                                    zel::IPub& pub) {
    std::vector<std::vector<std::string>> names;
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        std::vector<std::string> keys{HeaderKey(field.column), HeaderKey(BareColumn(field.column))};
        for (const std::string& caption :
             {CatalogueCaption(field, catalogue), DefinitionCaption(field, pub)}) {
            if (!caption.empty()) {
                keys.push_back(HeaderKey(caption));
            }
        }
        names.push_back(std::move(keys));
    }
    return names;
}

}  // namespace

const FieldList& ImportedFields() {
    static const FieldList fields = [] {
        FieldList imported = FieldsInRecordXmlOrder();
        std::erase_if(imported, [](const CorrespondenceField* field) { return IsKey(*field); });
        return imported;
    }();
    return fields;
}

std::optional<std::size_t> ImportedFieldIndex(const CorrespondenceField& field) {
    const FieldList& fields = ImportedFields();
    const auto found = std::find(fields.begin(), fields.end(), &field);
    if (found == fields.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - fields.begin());
}

std::string ImportFieldCaption(const CorrespondenceField& field, const FieldCatalogue& catalogue,
                               zel::IPub& pub) {
    std::string caption = CatalogueCaption(field, catalogue);
    if (caption.empty()) {
        caption = DefinitionCaption(field, pub);
    }
    return caption.empty() ? std::string(field.column) : caption;
}

std::string HeaderKey(std::string_view cell) {
    constexpr std::string_view kIdeographicSpace = "\u3000";
    std::string key;
    key.reserve(cell.size());
    for (std::size_t at = 0; at < cell.size(); ++at) {
        if (cell.substr(at, kIdeographicSpace.size()) == kIdeographicSpace) {
            at += kIdeographicSpace.size() - 1;
            continue;
        }
        const char c = cell[at];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            continue;
        }
        key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return key;
}

ImportColumnMapping ImportColumnMapping::Match(const std::vector<std::string>& header,
                                               const FieldCatalogue& catalogue, zel::IPub& pub) {
    const auto names = NamesOfFields(catalogue, pub);
    std::vector<const CorrespondenceField*> fields;
    for (const std::string& cell : header) {
        const std::string key = HeaderKey(cell);
        const CorrespondenceField* matched = nullptr;
        for (std::size_t at = 0; at < names.size() && !key.empty() && !matched; ++at) {
            if (std::find(names[at].begin(), names[at].end(), key) != names[at].end()) {
                matched = &kCorrespondenceFields[at];
            }
        }
        fields.push_back(matched);
    }
    return ImportColumnMapping(std::move(fields));
}

const CorrespondenceField* ImportColumnMapping::FieldOf(std::size_t column) const {
    return column < fields_.size() ? fields_[column] : nullptr;
}

void ImportColumnMapping::SetField(std::size_t column, const CorrespondenceField* field) {
    if (column < fields_.size()) {
        fields_[column] = field;
    }
}

std::optional<std::size_t> ImportColumnMapping::ColumnOf(const CorrespondenceField& field) const {
    const auto found = std::find(fields_.begin(), fields_.end(), &field);
    if (found == fields_.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - fields_.begin());
}

std::vector<std::size_t> ImportColumnMapping::IgnoredColumns() const {
    std::vector<std::size_t> ignored;
    for (std::size_t column = 0; column < fields_.size(); ++column) {
        if (!fields_[column]) {
            ignored.push_back(column);
        }
    }
    return ignored;
}

std::optional<std::string> ImportColumnMapping::Refusal(zel::IPub& pub,
                                                        const std::vector<std::string>& header,
                                                        const FieldCatalogue& catalogue,
                                                        bool hasDefaultWarehouse) const {
    const auto headerOf = [&](std::size_t column) {
        return column < header.size() ? header[column] : std::to_string(column + 1);
    };
    for (std::size_t column = 0; column < fields_.size(); ++column) {
        const auto first = fields_[column] ? ColumnOf(*fields_[column]) : std::nullopt;
        if (first && *first != column) {
            return pub.GetResFormatString(kFieldTwice,
                                          {ImportFieldCaption(*fields_[column], catalogue, pub),
                                           headerOf(*first), headerOf(column)});
        }
    }
    for (const CorrespondenceField* key : {&Field("cWhCode"), &Field("cInvCode")}) {
        const bool defaulted = key == &Field("cWhCode") && hasDefaultWarehouse;
        if (!ColumnOf(*key) && !defaulted) {
            return pub.GetResFormatString(kMissingColumn,
                                          {ImportFieldCaption(*key, catalogue, pub)});
        }
    }
    return std::nullopt;
}

}  // namespace korvel
