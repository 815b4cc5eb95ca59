#include "editor/found_row.h"

#include "core/blank_trim.h"
#include "core/const.h"
#include "core/text_case.h"

namespace korvel {
namespace {

bool SameHostText(std::string_view left, std::string_view right) {
    return EqualsNoCase(WithoutTrailingBlanks(left), WithoutTrailingBlanks(right));
}

bool MoveToFirst(zel::IRecordset& rows, std::string_view field, std::string_view text) {
    if (rows.RecordCount() == 0) {
        return false;
    }
    for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext()) {
        if (SameHostText(NullToStr(rows.Fields(field)), text)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool MoveToFoundRow(zel::IRecordset& rows, std::string_view codeField, std::string_view nameField,
                    std::string_view text) {
    return MoveToFirst(rows, codeField, text) || MoveToFirst(rows, nameField, text);
}

}  // namespace korvel
