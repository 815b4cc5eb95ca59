#include "host/controls/ys_tree_view.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTreeView>
#include <string>
#include <vector>

namespace zel {
namespace {

// The keys of a node's children, in tree order.
std::vector<std::string> ChildKeys(const YsTreeNode* node) {
    std::vector<std::string> keys;
    for (const YsTreeNode* child = node->Child(); child != nullptr; child = child->Next()) {
        keys.push_back(child->Key());
    }
    return keys;
}

class YsTreeViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree_.resize(300, 400);
        nodes().Add("", YsTreeNodes::kChild, "r", "仓库");
        nodes().Add("r", YsTreeNodes::kChild, "r01", "(01) 原料库");
        nodes().Add("r", YsTreeNodes::kChild, "r02", "(02) 成品库");
        nodes().Item(1)->SetExpanded(true);
        QObject::connect(&tree_, &YsTreeView::NodeClick,
                         [this](YsTreeNode& node) { clicked_.push_back(node.Key()); });
        QObject::connect(&tree_, &YsTreeView::NodeCheck, [this](YsTreeNode& node, bool state) {
            checked_.emplace_back(node.Key(), state);
        });
        tree_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree_));
    }

    YsTreeNodes& nodes() { return tree_.Nodes(); }

    QPoint CentreOf(const std::string& key) {
        auto& view = static_cast<QTreeWidget&>(tree_.View());
        return view.visualItemRect(nodes().Find(key)).center();
    }

    void ClickNode(const std::string& key) {
        QTest::mouseClick(tree_.View().viewport(), Qt::LeftButton, {}, CentreOf(key));
    }

    YsTreeView tree_;
    std::vector<std::string> clicked_;
    std::vector<std::pair<std::string, bool>> checked_;
};

TEST_F(YsTreeViewTest, NodesKeepKeyTextParentAndAddingOrder) {
    ASSERT_EQ(nodes().Count(), 3);
    const YsTreeNode* warehouse = nodes().Find("r02");
    ASSERT_NE(warehouse, nullptr);
    EXPECT_EQ(warehouse->Text(), "(02) 成品库");
    EXPECT_EQ(warehouse->Index(), 3);
    EXPECT_EQ(warehouse->Parent(), nodes().Find("r"));
    EXPECT_EQ(nodes().Find("r")->Parent(), nullptr);
    EXPECT_EQ(nodes().Item(2)->Key(), "r01");
    EXPECT_EQ(nodes().Item(0), nullptr);
    EXPECT_EQ(nodes().Item(4), nullptr);
    EXPECT_EQ(nodes().Find("r99"), nullptr);
}

TEST_F(YsTreeViewTest, KeysAreUnique) {
    EXPECT_EQ(nodes().Add("r", YsTreeNodes::kChild, "r01", "again"), nullptr);
    EXPECT_EQ(nodes().Count(), 3);
    EXPECT_EQ(nodes().Find("r01")->Text(), "(01) 原料库");
}

TEST_F(YsTreeViewTest, RefusesAnUnknownRelativeOrRelationship) {
    EXPECT_EQ(nodes().Add("nowhere", YsTreeNodes::kChild, "x", "x"), nullptr);
    EXPECT_EQ(nodes().Add("r", 7, "y", "y"), nullptr);
    EXPECT_EQ(nodes().Count(), 3);
}

struct PlacementCase {
    const char* name;
    int relationship;
    std::vector<std::string> expectedUnderRoot;
};

class YsTreePlacementTest : public YsTreeViewTest,
                            public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(YsTreePlacementTest, PlacesTheNodeByItsRelationshipToR01) {
    ASSERT_NE(nodes().Add("r01", GetParam().relationship, "new", "new"), nullptr);
    EXPECT_EQ(ChildKeys(nodes().Find("r")), GetParam().expectedUnderRoot);
    EXPECT_EQ(nodes().Find("new")->Index(), 4);
}

INSTANTIATE_TEST_SUITE_P(
    Relationships, YsTreePlacementTest,
    ::testing::Values(PlacementCase{"First", YsTreeNodes::kFirst, {"new", "r01", "r02"}},
                      PlacementCase{"Last", YsTreeNodes::kLast, {"r01", "r02", "new"}},
                      PlacementCase{"Next", YsTreeNodes::kNext, {"r01", "new", "r02"}},
                      PlacementCase{"Previous", YsTreeNodes::kPrevious, {"new", "r01", "r02"}},
                      PlacementCase{"Child", YsTreeNodes::kChild, {"r01", "r02"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(YsTreeViewTest, ClearEmptiesTheTreeAndRestartsTheIndex) {
    nodes().Clear();
    EXPECT_EQ(nodes().Count(), 0);
    EXPECT_EQ(nodes().Find("r"), nullptr);
    EXPECT_EQ(tree_.SelectedItem(), nullptr);
    EXPECT_EQ(nodes().Add("", YsTreeNodes::kChild, "r", "root")->Index(), 1);
    EXPECT_TRUE(clicked_.empty());
}

TEST_F(YsTreeViewTest, ClickingANodeSelectsItAndRaisesNodeClickOnce) {
    ClickNode("r01");
    EXPECT_EQ(tree_.SelectedItem(), nodes().Find("r01"));
    EXPECT_EQ(clicked_, std::vector<std::string>{"r01"});
    ClickNode("r01");  // the selected node again
    EXPECT_EQ(clicked_, (std::vector<std::string>{"r01", "r01"}));
}

TEST_F(YsTreeViewTest, MovingWithTheKeyboardRaisesNodeClick) {
    nodes().Find("r01")->SetSelected(true);
    tree_.View().setFocus();
    QTest::keyClick(&tree_.View(), Qt::Key_Down);
    EXPECT_EQ(tree_.SelectedItem(), nodes().Find("r02"));
    EXPECT_EQ(clicked_, std::vector<std::string>{"r02"});
}

TEST_F(YsTreeViewTest, SelectingFromCodeRaisesNothingUntilAsked) {
    YsTreeNode* last = nodes().Item(nodes().Count());
    last->SetSelected(true);
    EXPECT_TRUE(last->Selected());
    EXPECT_EQ(tree_.SelectedItem(), last);
    EXPECT_TRUE(clicked_.empty());
    tree_.RaiseNodeClick(*last);
    EXPECT_EQ(clicked_, std::vector<std::string>{"r02"});
    last->SetSelected(false);
    EXPECT_EQ(tree_.SelectedItem(), nullptr);
}

TEST_F(YsTreeViewTest, UserCheckRaisesNodeCheckForThatNodeOnly) {
    tree_.SetCheckboxes(true);
    auto& view = static_cast<QTreeWidget&>(tree_.View());
    view.setFocus();
    view.setCurrentItem(nodes().Find("r"));
    QTest::keyClick(&view, Qt::Key_Space);  // toggles the current node's box
    ASSERT_EQ(checked_.size(), 1u);
    EXPECT_EQ(checked_[0], (std::pair<std::string, bool>{"r", true}));
    EXPECT_TRUE(nodes().Find("r")->Checked());
    EXPECT_FALSE(nodes().Find("r01")->Checked());  // the window passes a check on, not the tree
}

TEST_F(YsTreeViewTest, CheckingFromCodeRaisesNoNodeCheck) {
    tree_.SetCheckboxes(true);
    nodes().Find("r01")->SetChecked(true);
    nodes().Find("r01")->SetText("renamed");
    EXPECT_TRUE(checked_.empty());
    EXPECT_EQ(nodes().Find("r01")->checkState(0), Qt::Checked);
}

TEST_F(YsTreeViewTest, CheckBoxesShowTheStateHeldBeforeThem) {
    nodes().Find("r02")->SetChecked(true);
    tree_.SetCheckboxes(true);
    EXPECT_EQ(nodes().Find("r02")->checkState(0), Qt::Checked);
    EXPECT_TRUE(nodes().Find("r02")->Checked());
    YsTreeNode* added = nodes().Add("r", YsTreeNodes::kChild, "r03", "(03)");
    EXPECT_EQ(added->checkState(0), Qt::Unchecked);
    EXPECT_TRUE(checked_.empty());

    tree_.SetCheckboxes(false);
    EXPECT_FALSE(nodes().Find("r02")->data(0, Qt::CheckStateRole).isValid());
}

TEST(YsTreeView, HoldsAFewThousandNodesWithFastLookup) {
    YsTreeView tree;
    tree.Nodes().Add("", YsTreeNodes::kChild, "r", "root");
    for (int i = 0; i < 3000; ++i) {
        const std::string key = "r" + std::to_string(i);
        ASSERT_NE(tree.Nodes().Add("r", YsTreeNodes::kChild, key, key), nullptr);
    }
    EXPECT_EQ(tree.Nodes().Find("r2999")->Index(), 3001);
    EXPECT_EQ(tree.Nodes().Find("r")->Children(), 3000);
}

}  // namespace
}  // namespace zel
