#include "host/pub/find_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <QValidator>

#include "host/pub/find_row_editor.h"
#include "support/case_name.h"

namespace zel {
namespace {

using enum FindOperator;

const std::vector<FindField> kFields = {
    {"cInvName", "Inventory.cInvName", "存货名称", FieldKind::kText, {}},
    {"iTopSum", "WhInvContrapose.iTopSum", "最高库存", FieldKind::kNumber, {}},
    {"dLastDate", "WhInvContrapose.dLastDate", "上次盘点日期", FieldKind::kDate, {}},
};

class FindDialogTest : public ::testing::Test {
protected:
    FindDialogTest() { dialog.show(); }

    std::vector<std::string> messages;
    FindDialog dialog{kFields, [](QDialog&) { return 0; },
                      [this](const std::string& text) { messages.push_back(text); }};
};

TEST_F(FindDialogTest, OnlyLinesTheDialogCanShowAreRestored) {
    dialog.SetRows({{false, "cGone", kEqual, "x", ""},
                    {true, "iTopSum", kContains, "5", ""},
                    {true, "dLastDate", kBetween, "2024-01-01", "2024-02-01"}});
    // The line left first has nothing before it to join to.
    EXPECT_EQ(dialog.Rows(),
              (std::vector<FindRow>{{false, "dLastDate", kBetween, "2024-01-01", "2024-02-01"}}));

    dialog.SetRows({{false, "cGone", kEqual, "x", ""}});
    ASSERT_EQ(dialog.Rows().size(), 1u);
    EXPECT_EQ(dialog.Rows().front().field, "cInvName");
}

TEST_F(FindDialogTest, RemovingTheFirstLineMakesTheNextOneFirst) {
    dialog.SetRows({{false, "cInvName", kEqual, "a", ""}, {true, "iTopSum", kEqual, "1", ""}});
    dialog.Editors().front()->findChild<QToolButton*>("remove")->click();
    EXPECT_EQ(dialog.Rows(), (std::vector<FindRow>{{false, "iTopSum", kEqual, "1", ""}}));
    EXPECT_TRUE(dialog.Editors().front()->findChild<QComboBox*>("join")->isHidden());
}

struct BoxesCase {
    FindRow row;
    bool value;
    bool value2;
    bool pick;
};

class FindDialogBoxesTest : public FindDialogTest,
                            public ::testing::WithParamInterface<BoxesCase> {};

TEST_P(FindDialogBoxesTest, ShowTheValueBoxesTheOperatorNeeds) {
    dialog.SetRows({GetParam().row});
    const FindRowEditor& line = *dialog.Editors().front();
    EXPECT_EQ(line.findChild<QLineEdit*>("value")->isVisible(), GetParam().value);
    EXPECT_EQ(line.findChild<QLineEdit*>("value2")->isVisible(), GetParam().value2);
    EXPECT_EQ(line.findChild<QToolButton*>("pick")->isVisible(), GetParam().pick);
    EXPECT_EQ(dialog.Rows().front(), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    PerTypeAndOperator, FindDialogBoxesTest,
    ::testing::Values(BoxesCase{{false, "cInvName", kContains, "a", ""}, true, false, false},
                      BoxesCase{{false, "cInvName", kIsEmpty, "", ""}, false, false, false},
                      BoxesCase{{false, "iTopSum", kBetween, "1", "2"}, true, true, false},
                      BoxesCase{
                          {false, "dLastDate", kGreater, "2024-01-01", ""}, true, false, true}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " + info.param.row.field + " " +
                                         std::to_string(static_cast<int>(info.param.row.op)),
                                     info.index);
    });

TEST_F(FindDialogTest, ANumberBoxTakesOnlyWhatMayBecomeANumber) {
    dialog.SetRows({{false, "iTopSum", kEqual, "", ""}});
    const QValidator* validator =
        dialog.Editors().front()->findChild<QLineEdit*>("value")->validator();
    ASSERT_NE(validator, nullptr);
    for (QString typed : {QString("-12.5"), QString("+"), QString(".")}) {
        int position = 0;
        EXPECT_NE(validator->validate(typed, position), QValidator::Invalid) << typed.toStdString();
    }
    for (QString typed : {QString("1e5"), QString("1,5"), QString("1.2.3"), QString("abc")}) {
        int position = 0;
        EXPECT_EQ(validator->validate(typed, position), QValidator::Invalid) << typed.toStdString();
    }
    dialog.SetRows({{false, "cInvName", kEqual, "", ""}});
    EXPECT_EQ(dialog.Editors().front()->findChild<QLineEdit*>("value")->validator(), nullptr);
}

TEST_F(FindDialogTest, OkWithAnEmptyValueIsRefusedAndTheDialogStaysOpen) {
    dialog.accept();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Condition(), "");
}

}  // namespace
}  // namespace zel
