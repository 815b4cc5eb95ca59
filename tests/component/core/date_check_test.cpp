#include "core/date_check.h"

#include <gtest/gtest.h>

#include "host/objects/object_registry.h"
#include "host/objects/resource_texts.h"
#include "host/pub/pub_service.h"
#include "support/date_cases.h"
#include "support/test_database.h"

namespace korvel {
namespace {

// The editor and multi-record modify save a date through this check: it takes what the host's
// date rule reads, and refuses the rest with the host's message.
TEST(CheckedDate, TakesWhatTheHostReadsAsItsStoredFormAndTellsWhyOtherwise) {
    // No database is read: the account gives the host its scripted dialogs.
    const zel::test::TestDatabase database(zel::test::TestDatabase::Engine::Sqlite);
    zel::ObjectRegistry registry;
    zel::PubService pub(database.Environment(), registry);
    for (const zel::test::DateCase& c : zel::test::kDateCases) {
        if (std::string_view(c.text).empty()) {
            continue;  // a blank field: below
        }
        database.Dialogs().Clear();
        const auto checked = CheckedDate(pub, c.text, "上次盘点日期");
        EXPECT_EQ(checked.value_or("refused"), c.stored ? c.stored : "refused") << c.text;
        const auto& shown = database.Dialogs().Messages();
        ASSERT_EQ(shown.size(), c.stored ? 0U : 1U) << c.text;
        if (!c.stored) {
            EXPECT_EQ(shown[0].text, zel::ResourceTexts::Instance().Format(
                                         "Zel.HOST.MODIFY.bad_date", {"上次盘点日期", c.text}));
        }
    }
}

TEST(CheckedDate, ABlankFieldHoldsNoDate) {
    const zel::test::TestDatabase database(zel::test::TestDatabase::Engine::Sqlite);
    zel::ObjectRegistry registry;
    zel::PubService pub(database.Environment(), registry);
    for (const char* blank : {"", "   "}) {
        EXPECT_EQ(CheckedDate(pub, blank, "上次盘点日期"), std::optional<std::string>("")) << blank;
    }
    EXPECT_TRUE(database.Dialogs().Messages().empty());
}

}  // namespace
}  // namespace korvel
