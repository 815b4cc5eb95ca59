#include "host/pub/print_style_store.h"

#include "host/database/sql_text.h"

namespace zel {

std::optional<std::string> PrintStyleStore::Style(const std::string& styleName) {
    const auto rows =
        db_.OpenX("select cStyle from aa_prnstyle where cStyleName=" + SqlQuoted(styleName));
    if (!rows || rows->Eof()) {
        return std::nullopt;
    }
    const auto style = rows->Fields(0);
    if (!style || style->IsNull()) {
        return std::nullopt;
    }
    return style->ToString();
}

bool PrintStyleStore::Save(const std::string& styleName, const std::string& style) {
    // ExecuteX is false for an update that changed no row: then there is no row yet.
    if (db_.ExecuteX("update aa_prnstyle set cStyle=" + SqlQuoted(style) +
                     " where cStyleName=" + SqlQuoted(styleName))) {
        return true;
    }
    return db_.ExecuteX("insert into aa_prnstyle (cStyleName, cStyle) values (" +
                        SqlQuoted(styleName) + ", " + SqlQuoted(style) + ")");
}

}  // namespace zel
