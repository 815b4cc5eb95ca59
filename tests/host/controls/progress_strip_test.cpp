#include "host/controls/progress_strip.h"

#include <gtest/gtest.h>

#include <QPushButton>

namespace zel {
namespace {

TEST(ProgressStrip, CountsTowardsAKnownOrUnknownEndAndTakesACancelUntilTheNextStart) {
    QWidget window;
    auto* strip = new ProgressStrip(&window);
    window.show();
    EXPECT_FALSE(strip->isVisible());

    strip->Start(20);
    EXPECT_TRUE(strip->isVisible());
    strip->Advance(5);
    EXPECT_EQ(strip->CountText(), "5 / 20");
    EXPECT_FALSE(strip->CancelRequested());
    strip->CancelButton().click();
    EXPECT_TRUE(strip->CancelRequested());

    strip->Start(0);
    EXPECT_FALSE(strip->CancelRequested());
    strip->Advance(300);
    EXPECT_EQ(strip->CountText(), "300");
    strip->Finish();
    EXPECT_FALSE(strip->isVisible());
}

}  // namespace
}  // namespace zel
