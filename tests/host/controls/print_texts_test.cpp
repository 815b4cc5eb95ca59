#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "host/objects/resource_texts.h"

namespace zel {
namespace {

struct PrintText {
    const char* key;
    int values;
};

// The texts the print control shows, with the values each is given.
constexpr PrintText kPrintTexts[] = {
    {"Zel.HOST.PRINT.account", 1},
    {"Zel.HOST.PRINT.user", 1},
    {"Zel.HOST.PRINT.date", 1},
    {"Zel.HOST.PRINT.page_number", 2},
    {"Zel.HOST.PRINT.page_count", 1},
    {"Zel.HOST.PRINT.preview_title", 0},
    {"Zel.HOST.PRINT.print", 0},
    {"Zel.HOST.PRINT.first_page", 0},
    {"Zel.HOST.PRINT.previous_page", 0},
    {"Zel.HOST.PRINT.next_page", 0},
    {"Zel.HOST.PRINT.last_page", 0},
    {"Zel.HOST.PRINT.zoom_in", 0},
    {"Zel.HOST.PRINT.zoom_out", 0},
    {"Zel.HOST.PRINT.fit_page", 0},
    {"Zel.HOST.PRINT.close", 0},
    {"Zel.HOST.PRINT.setup_title", 0},
    {"Zel.HOST.PRINT.paper_box", 0},
    {"Zel.HOST.PRINT.paper", 0},
    {"Zel.HOST.PRINT.orientation", 0},
    {"Zel.HOST.PRINT.portrait", 0},
    {"Zel.HOST.PRINT.landscape", 0},
    {"Zel.HOST.PRINT.font_size", 0},
    {"Zel.HOST.PRINT.repeat_header", 0},
    {"Zel.HOST.PRINT.title_every_page", 0},
    {"Zel.HOST.PRINT.margins_box", 0},
    {"Zel.HOST.PRINT.margin_left", 0},
    {"Zel.HOST.PRINT.margin_top", 0},
    {"Zel.HOST.PRINT.margin_right", 0},
    {"Zel.HOST.PRINT.margin_bottom", 0},
    {"Zel.HOST.PRINT.columns_box", 0},
    {"Zel.HOST.PRINT.ok", 0},
    {"Zel.HOST.PRINT.cancel", 0},
    {"Zel.HOST.PRINT.export_failed", 1},
};

int Placeholders(const std::string& text) {
    const std::regex place("%[1-9]");
    return static_cast<int>(
        std::distance(std::sregex_iterator(text.begin(), text.end(), place), {}));
}

TEST(PrintTextsTest, EveryTextIsThereWithAPlaceForEachValue) {
    for (const auto& text : kPrintTexts) {
        SCOPED_TRACE(text.key);
        ASSERT_TRUE(ResourceTexts::Instance().Contains(text.key));
        EXPECT_EQ(Placeholders(ResourceTexts::Instance().Text(text.key)), text.values);
    }
}

TEST(PrintTextsTest, ThePageNumberNamesThePageAndTheCount) {
    EXPECT_EQ(ResourceTexts::Instance().Format("Zel.HOST.PRINT.page_number", {"3", "12"}),
              "第 3 页 / 共 12 页");
}

}  // namespace
}  // namespace zel
