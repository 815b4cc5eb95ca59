#include "host/pub/failure_report.h"

#include <string_view>
#include <vector>

#include "host/objects/host_text.h"

namespace zel {
namespace {

std::vector<std::string> ListItems(std::string_view list) {
    std::vector<std::string> items;
    if (list.empty()) {
        return items;
    }
    std::size_t start = 0;
    while (true) {
        const auto comma = list.find(',', start);
        items.emplace_back(WithoutSurroundingBlanks(list.substr(start, comma - start)));
        if (comma == std::string_view::npos) {
            return items;
        }
        start = comma + 1;
    }
}

}  // namespace

std::shared_ptr<HeldRowsRecordset> NewFailureReport(const std::string& fields,
                                                    const std::string& captions) {
    const std::vector<std::string> names = ListItems(fields);
    const std::vector<std::string> shown = ListItems(captions);
    std::vector<HeldRowsRecordset::Column> columns;
    for (std::size_t i = 0; i < names.size(); ++i) {
        columns.push_back({names[i], 0, "", i < shown.size() ? shown[i] : ""});
    }
    return std::make_shared<HeldRowsRecordset>(std::move(columns));
}

}  // namespace zel
