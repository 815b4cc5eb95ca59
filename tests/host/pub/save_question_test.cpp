#include "host/pub/save_question.h"

#include <gtest/gtest.h>

#include <QAction>
#include <optional>
#include <vector>

#include "editor_test_window.h"

namespace zel {
namespace {

struct Question {
    std::string text;
    int buttons;
    std::string title;
};

// Answers the question with a fixed code and keeps what was asked.
class SaveQuestionTest : public ::testing::Test {
protected:
    SaveOutcome Ask(int answer) {
        return AskToSaveChanges(
            window, [this, answer](const std::string& text, int buttons, const std::string& title) {
                asked.push_back({text, buttons, title});
                return answer;
            });
    }

    test::EditorTestWindow window;
    std::vector<Question> asked;
};

TEST_F(SaveQuestionTest, NothingUnsavedIsNotAskedAbout) {
    EXPECT_EQ(Ask(6), SaveOutcome::kNothingUnsaved);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(window.saves, 0);
}

TEST_F(SaveQuestionTest, UnsavedChangesAreAskedAboutOnceWithYesNoAndCancel) {
    window.MarkUnsaved();
    Ask(7);
    ASSERT_EQ(asked.size(), 1U);
    EXPECT_EQ(asked[0].text, "数据已修改，是否保存？");
    EXPECT_EQ(asked[0].buttons, 3 + 32);
    EXPECT_EQ(asked[0].title, "警告信息");
}

TEST_F(SaveQuestionTest, YesRunsTheSaveOfTheBar) {
    window.MarkUnsaved();
    EXPECT_EQ(Ask(6), SaveOutcome::kSaved);
    EXPECT_EQ(window.saves, 1);
    EXPECT_FALSE(window.Unsaved());
}

TEST_F(SaveQuestionTest, ASaveThatLeavesTheChangesUnsavedFailed) {
    window.MarkUnsaved();
    window.saveSucceeds = false;
    EXPECT_EQ(Ask(6), SaveOutcome::kSaveFailed);
    EXPECT_EQ(window.saves, 1);
}

TEST_F(SaveQuestionTest, TheSaveRunsEvenWhenTheBarHasNotCaughtUpWithTheButton) {
    window.MarkUnsaved();
    window.toolbar->Action("SaveRs")->setEnabled(false);
    EXPECT_EQ(Ask(6), SaveOutcome::kSaved);
    EXPECT_EQ(window.saves, 1);
}

TEST_F(SaveQuestionTest, NoDropsTheChangesAndAnyOtherAnswerKeepsThem) {
    window.MarkUnsaved();
    EXPECT_EQ(Ask(7), SaveOutcome::kDropped);
    EXPECT_EQ(Ask(2), SaveOutcome::kKept);
    EXPECT_EQ(Ask(1), SaveOutcome::kKept);  // a box that could offer only OK
    EXPECT_EQ(window.saves, 0);
    EXPECT_TRUE(window.Unsaved());
}

TEST_F(SaveQuestionTest, WithoutTheVisibleBarTheSaveCannotRun) {
    window.MarkUnsaved();
    delete window.toolbar;
    EXPECT_EQ(Ask(6), SaveOutcome::kSaveFailed);
}

TEST(SaveQuestion, AWindowWithoutASaveButtonHasNothingUnsaved) {
    QWidget plain;
    ButtonBar* bar = new ButtonBar(&plain);
    bar->setObjectName("Tlb");
    bar->Add("Exit", ToolbarButton::kButton);
    EXPECT_EQ(
        AskToSaveChanges(plain, [](const std::string&, int, const std::string&) { return 6; }),
        SaveOutcome::kNothingUnsaved);
}

TEST(SaveQuestion, TheWindowMayGoOnUnlessTheChangesAreStillThere) {
    EXPECT_TRUE(MayLeave(SaveOutcome::kNothingUnsaved));
    EXPECT_TRUE(MayLeave(SaveOutcome::kSaved));
    EXPECT_TRUE(MayLeave(SaveOutcome::kDropped));
    EXPECT_FALSE(MayLeave(SaveOutcome::kSaveFailed));
    EXPECT_FALSE(MayLeave(SaveOutcome::kKept));
}

}  // namespace
}  // namespace zel
