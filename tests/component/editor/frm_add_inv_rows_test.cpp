#include <gtest/gtest.h>

#include <map>
#include <set>

#include "component/support/main_window_fixture.h"
#include "core/correspondence_fields.h"
#include "editor/frm_add_inv.h"

namespace korvel::test {
namespace {

// The editor opened on a grid of its own whose columns stand in another order than the main
// window's: the fields are found by their headers, never by their positions.
class EditorGridRow : public MainWindowTest {
protected:
    void SetUp() override {
        database.AddWarehouse("01", "成品库");
        Open();
        const auto& catalogue = context.catalogue;
        values = {{0, "A001"},
                  {1, "螺钉"},
                  {2, "M8"},
                  {3, "G1"},
                  {4, "U1"},
                  {5, "100.00"},
                  {6, "10.00"},
                  {7, "20.00"},
                  {8, "0.50"},
                  {9, "2"},
                  {10, catalogue.arrFreqText[1]},
                  {11, "3"},
                  {12, "2024-01-31"},
                  {13, "组一"},
                  {14, "个"},
                  {15, "P01"},
                  {16, "王五"}};
        grid.SetCols(static_cast<int>(values.size()) + 2);
        grid.SetRows(2);
        // Reversed, with a column no field has in the middle.
        int col = 1;
        for (auto value = values.rbegin(); value != values.rend(); ++value, ++col) {
            if (col == kForeignColumn) {
                grid.SetTextMatrix(0, col, "备注");
                grid.SetTextMatrix(1, col, "keep");
                ++col;
            }
            grid.SetTextMatrix(0, col, catalogue.arrFldCaption[value->first]);
            grid.SetTextMatrix(1, col, value->second);
            columnOf[value->first] = col;
        }
        editor = std::make_unique<FrmAddInv>(context, window->Trv(), window.get());
        editor->InitData(FrmAddInv::kModify, grid, 1);
    }

    // What the editor shows of a field, read from the box the field table names.
    std::string Shown(const CorrespondenceField& field) const {
        const QString name = QString::fromUtf8(field.editor.box.data(),
                                               static_cast<qsizetype>(field.editor.box.size()));
        if (field.editor.value == EditorValue::kListText) {
            return editor->findChild<zel::YsComboBox*>(name)->Text();
        }
        const zel::Edit* box = editor->findChild<zel::Edit*>(name);
        return field.editor.value == EditorValue::kTag ? box->Tag() : box->Text();
    }

    static constexpr int kForeignColumn = 9;
    std::map<int, std::string> values;
    std::map<int, int> columnOf;
    zel::FlexGrid grid;
    std::unique_ptr<FrmAddInv> editor;
};

TEST_F(EditorGridRow, EveryGridFieldFillsItsBoxWhateverTheColumnOrder) {
    for (const auto& [caption, value] : values) {
        EXPECT_EQ(Shown(*FieldOfCaption(caption)), value) << caption;
    }
    EXPECT_TRUE(editor->EdtcWhPersonCode().UTooltipText().ends_with("P01"));
}

TEST_F(EditorGridRow, WritingBackSetsTheSavedFieldsAndLeavesTheNamesAndForeignColumns) {
    for (int col = 1; col < grid.Cols(); ++col) {
        grid.SetTextMatrix(1, col, "stale");
    }
    editor->FillfieldsToGrid();
    for (const auto& [caption, value] : values) {
        const bool joinedName = caption == 13 || caption == 14;
        EXPECT_EQ(grid.TextMatrix(1, columnOf[caption]), joinedName ? "stale" : value) << caption;
    }
    EXPECT_EQ(grid.TextMatrix(1, kForeignColumn), "stale");
    EXPECT_EQ(grid.TextMatrix(1, 0), "");
}

TEST_F(EditorGridRow, TabGoesThroughTheFieldsInTheFormsOrderAndShownOnlyBoxesAreReadOnly) {
    const char* const tabOrder[] = {
        "EdtcWhCode",    "EdtcWhName",      "Edtcinvcode",      "EdtcInvName",   "EdtcInvStd",
        "EdtcGroupCode", "EdtcComunitCode", "EdtcWhPersonCode", "EdtiWastage",   "EdtdLastDate",
        "EdtiTopSum",    "EdtiLowSum",      "EdtiSafeNum",      "EdtiFrequency", "CbocFrequency",
        "CboiDays",      "EdtcGroupName",   "EdtcComunitName"};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        const QWidget* before = editor->findChild<QWidget*>(tabOrder[i - 1]);
        ASSERT_NE(before, nullptr) << tabOrder[i - 1];
        EXPECT_EQ(before->nextInFocusChain()->objectName().toStdString(), tabOrder[i]);
    }
    const std::set<std::string> shownOnly = {"EdtcWhName",     "EdtcInvName",   "EdtcInvStd",
                                             "EdtcGroupCode",  "EdtcGroupName", "EdtcComunitCode",
                                             "EdtcComunitName"};
    for (const zel::Edit* box : editor->findChildren<zel::Edit*>()) {
        const std::string name = box->objectName().toStdString();
        EXPECT_EQ(box->isReadOnly(), shownOnly.contains(name)) << name;
    }
}

TEST_F(EditorGridRow, CodesDateAndCountAreCutToTheirLengthsAndNumbersTakeTheQuantityDigits) {
    const std::map<std::string, int> lengths = {
        {"EdtcWhCode", 20}, {"Edtcinvcode", 60}, {"EdtdLastDate", 10}, {"EdtiFrequency", 4}};
    for (const auto& [name, length] : lengths) {
        EXPECT_EQ(editor->findChild<zel::Edit*>(QString::fromStdString(name))->MaxLength(), length)
            << name;
    }
    const std::set<std::string> numbers = {"EdtiTopSum", "EdtiLowSum", "EdtiSafeNum",
                                           "EdtiWastage"};
    for (const zel::Edit* box : editor->findChildren<zel::Edit*>()) {
        const std::string name = box->objectName().toStdString();
        EXPECT_EQ(box->Digits(), numbers.contains(name) ? context.quantity.digits : -1) << name;
    }
}

}  // namespace
}  // namespace korvel::test
