#include "host/database/hidden_passwords.h"

#include <gtest/gtest.h>
#include "support/case_name.h"

namespace zel {
namespace {

struct Hiding {
    std::string text;
    std::string shown;
};

class HiddenPasswordsTest : public ::testing::TestWithParam<Hiding> {};

TEST_P(HiddenPasswordsTest, LeavesNoPasswordInTheText) {
    EXPECT_EQ(HiddenPasswords(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    ConnectionTexts, HiddenPasswordsTest,
    ::testing::Values(Hiding{"host=db dbname=shop user=wang", "host=db dbname=shop user=wang"},
                      Hiding{"host=db password=secret dbname=shop",
                             "host=db password=*** dbname=shop"},
                      Hiding{"host=db PASSWORD = secret", "host=db PASSWORD = ***"},
                      Hiding{R"(password='se cr\'et' dbname=shop)", "password=*** dbname=shop"},
                      Hiding{"postgresql://wang:secret@db/shop", "postgresql://wang:***@db/shop"},
                      Hiding{"postgresql://db/shop?password=secret&sslmode=require",
                             "postgresql://db/shop?password=***&sslmode=require"},
                      Hiding{"Cannot open the account shop: connection to server failed",
                             "Cannot open the account shop: connection to server failed"}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " + info.param.text,
                                     info.index);
    });

}  // namespace
}  // namespace zel
