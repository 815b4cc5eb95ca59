#include "db/demo/demo_texts.h"

#include <gtest/gtest.h>

namespace zel::demo {
namespace {

TEST(DemoTexts, EveryOutcomeIsWorded) {
    const auto& texts = DemoTexts::Instance();
    for (const auto failure :
         {DemoFailure::None, DemoFailure::BadSize, DemoFailure::TargetExists,
          DemoFailure::CannotCreate, DemoFailure::CodingRule, DemoFailure::Write}) {
        EXPECT_TRUE(texts.Contains(DemoTexts::FailureKey(failure)))
            << DemoTexts::FailureKey(failure);
    }
    EXPECT_TRUE(texts.Contains("Zel.DEMO.usage"));
    EXPECT_EQ(texts.Format("Zel.DEMO.exists", {"/tmp/a.db"}),
              "/tmp/a.db already exists; it is kept. Add --force to replace it.");
}

}  // namespace
}  // namespace zel::demo
