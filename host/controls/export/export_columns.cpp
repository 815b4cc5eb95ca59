#include "host/controls/export/export_columns.h"

#include <charconv>

#include "host/objects/host_text.h"

namespace zel {
namespace {

// Bounds what a damaged text can ask for: no declared text length or decimals go beyond it.
constexpr int kMostSize = 8000;

char TypeLetter(FieldKind kind) {
    switch (kind) {
        case FieldKind::kNumber:
            return kExportNumberType;
        case FieldKind::kDate:
            return kExportDateType;
        case FieldKind::kText:
            break;
    }
    return kExportTextType;
}

FieldKind KindOfLetter(std::string_view entry) {
    if (entry.size() != 1) {
        return FieldKind::kText;
    }
    const char letter = entry[0];
    return letter == kExportNumberType ? FieldKind::kNumber
           : letter == kExportDateType ? FieldKind::kDate
                                       : FieldKind::kText;
}

int SizeOf(std::string_view entry) {
    int size = 0;
    const char* end = entry.data() + entry.size();
    const auto result = std::from_chars(entry.data(), end, size);
    if (entry.empty() || result.ec != std::errc() || result.ptr != end || size < 0 ||
        size > kMostSize) {
        return 0;
    }
    return size;
}

std::vector<std::string_view> Entries(std::string_view text) {
    std::vector<std::string_view> entries;
    if (WithoutSurroundingBlanks(text).empty()) {
        return entries;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(kExportSeparator, start);
        entries.push_back(WithoutSurroundingBlanks(text.substr(start, end - start)));
        if (end == std::string_view::npos) {
            return entries;
        }
        start = end + 1;
    }
}

template <typename Entry>
std::string Joined(const std::vector<ExportColumn>& columns, Entry entry) {
    std::string text;
    for (const ExportColumn& column : columns) {
        if (!text.empty()) {
            text += kExportSeparator;
        }
        text += entry(column);
    }
    return text;
}

}  // namespace

std::string ExportTypesText(const std::vector<ExportColumn>& columns) {
    return Joined(columns, [](const ExportColumn& column) {
        return std::string(1, TypeLetter(column.kind));
    });
}

std::string ExportSizesText(const std::vector<ExportColumn>& columns) {
    return Joined(columns, [](const ExportColumn& column) { return std::to_string(column.size); });
}

std::vector<ExportColumn> ReadExportColumns(std::string_view types, std::string_view sizes) {
    const std::vector<std::string_view> typeEntries = Entries(types);
    const std::vector<std::string_view> sizeEntries = Entries(sizes);
    std::vector<ExportColumn> columns;
    columns.reserve(typeEntries.size());
    for (std::size_t i = 0; i < typeEntries.size(); ++i) {
        columns.push_back(
            {KindOfLetter(typeEntries[i]), i < sizeEntries.size() ? SizeOf(sizeEntries[i]) : 0});
    }
    return columns;
}

}  // namespace zel
