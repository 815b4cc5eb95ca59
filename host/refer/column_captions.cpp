#include "host/refer/column_captions.h"

#include "host/objects/resource_texts.h"
#include "host/refer/ascii_text.h"
#include "interfaces/cls_common.h"

namespace zel {
namespace {

constexpr const char* kFieldTextPrefix = "Zel.AA.ARCHIVE.FIELD.";

std::string TextOf(const IRecordset& rows, int field) {
    const auto value = rows.Fields(field);
    return value ? value->ToString() : std::string();
}

}  // namespace

ColumnCaptions::ColumnCaptions(const std::map<std::string, std::string>& dictionary) {
    for (const auto& [column, caption] : dictionary) {
        if (!IsBlank(caption)) {
            dictionary_[AsciiLower(column)] = caption;
        }
    }
}

// The whole dictionary is read and the key picked here: it is a few hundred rows, and the key
// then never has to be written into the SQL text.
ColumnCaptions ColumnCaptions::Read(IClsCommon& db, std::string_view dictionaryKey) {
    std::string sql = "select ckey, cfldname, ccaption from aa_columndic";
    const auto rows = db.OpenX(sql);
    std::map<std::string, std::string> dictionary;
    if (rows == nullptr || !rows->IsOpen()) {
        return ColumnCaptions(dictionary);
    }
    for (; !rows->Eof(); rows->MoveNext()) {
        if (AsciiEqualIgnoringCase(TextOf(*rows, 0), dictionaryKey)) {
            dictionary[TextOf(*rows, 1)] = TextOf(*rows, 2);
        }
    }
    return ColumnCaptions(dictionary);
}

std::string ColumnCaptions::Of(std::string_view column) const {
    const std::string name = AsciiLower(column);
    if (const auto found = dictionary_.find(name); found != dictionary_.end()) {
        return found->second;
    }
    const std::string key = kFieldTextPrefix + name;
    const ResourceTexts& texts = ResourceTexts::Instance();
    return texts.Contains(key) ? texts.Text(key) : std::string(column);
}

}  // namespace zel
