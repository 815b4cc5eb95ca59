// The find dialog's lines over any text, one line per text line: "and" or "or", the field, the
// operator as a stored find keeps it, the value and the second value, separated by tabs. Whatever
// the values, the condition built is one whole SQL expression over the fields' columns, which the
// engine reads as such: a value never ends a quote early or adds a statement.
#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "host/controls/find/find_condition.h"

namespace {

using zel::FieldKind;
using zel::FindField;

const std::vector<FindField>& Fields() {
    static const std::vector<FindField> fields = {
        {"cWhCode", "WhInvContrapose.cWhCode", "仓库编码", FieldKind::kText, {}},
        {"iTopSum", "WhInvContrapose.iTopSum", "最高库存", FieldKind::kNumber, {}},
        {"dLastDate", "WhInvContrapose.dLastDate", "上次盘点日期", FieldKind::kDate, {}},
        {"cFrequency",
         "WhInvContrapose.cFrequency",
         "盘点周期单位",
         FieldKind::kText,
         {"日", "周", "月"}},
    };
    return fields;
}

sqlite3* Engine() {
    static sqlite3* const engine = [] {
        sqlite3* opened = nullptr;
        if (sqlite3_open(":memory:", &opened) != SQLITE_OK ||
            sqlite3_exec(opened,
                         "create table WhInvContrapose (cWhCode text, iTopSum numeric, "
                         "dLastDate text, cFrequency text)",
                         nullptr, nullptr, nullptr) != SQLITE_OK) {
            std::abort();
        }
        return opened;
    }();
    return engine;
}

void CheckReadsAsOneCondition(const std::string& condition) {
    const std::string sql = "select count(*) from WhInvContrapose where " + condition;
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    const int prepared =
        sqlite3_prepare_v2(Engine(), sql.c_str(), static_cast<int>(sql.size()), &statement, &tail);
    sqlite3_finalize(statement);
    if (prepared != SQLITE_OK || tail != sql.c_str() + sql.size()) {
        std::fprintf(stderr, "not one condition: %s\n%s\n", sql.c_str(), sqlite3_errmsg(Engine()));
        std::abort();
    }
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t end; (end = text.find(separator)) != std::string_view::npos;) {
        parts.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    parts.push_back(text);
    return parts;
}

// The text boxes hold no NUL: a line with one is not a line the dialog could make.
std::vector<zel::FindRow> RowsOf(std::string_view text) {
    std::vector<zel::FindRow> rows;
    for (const auto line : Split(text, '\n')) {
        auto parts = Split(line, '\t');
        if (line.find('\0') != std::string_view::npos || parts.size() < 3) {
            continue;
        }
        parts.resize(5);
        const auto op = zel::FindOperatorNamed(std::string(parts[2]));
        if (op) {
            rows.push_back({parts[0] == "or", std::string(parts[1]), *op, std::string(parts[3]),
                            std::string(parts[4])});
        }
    }
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto rows = RowsOf(std::string_view(reinterpret_cast<const char*>(data), size));
    const zel::FindCondition condition(Fields());
    for (const auto& built : {condition.Build(rows), condition.Joined(rows)}) {
        if (built.ok) {
            CheckReadsAsOneCondition(built.sql);
        } else if (built.message.empty()) {
            std::abort();
        }
    }
    for (const auto& row : rows) {
        for (const auto& field : Fields()) {
            zel::FindCondition::Checked(field, row.value);
        }
    }
    return 0;
}
