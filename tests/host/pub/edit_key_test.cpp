#include "host/pub/edit_key.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

namespace zel {
namespace {

struct KeyCase {
    int keyCode;
    int shift;
    bool changes;
};

class EditKeyTest : public ::testing::Test {
protected:
    EditKeyTest() {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* control : {static_cast<QWidget*>(box), static_cast<QWidget*>(readOnly),
                                 static_cast<QWidget*>(button)}) {
            layout->addWidget(control);
        }
        readOnly->setReadOnly(true);
        window.show();
    }

    QWidget window;
    QLineEdit* box = new QLineEdit(&window);
    QLineEdit* readOnly = new QLineEdit(&window);
    QPushButton* button = new QPushButton(&window);
};

TEST_F(EditKeyTest, KeysThatTypeDeleteOrPasteChangeAnEditableBox) {
    box->setFocus();
    const std::vector<KeyCase> cases = {
        {65, 0, true},   {90, 1, true},   {48, 0, true},   {57, 1, true},   {32, 0, true},
        {96, 0, true},   {110, 0, true},  {111, 0, true},  {186, 0, true},  {192, 1, true},
        {219, 0, true},  {222, 0, true},  {8, 0, true},    {46, 0, true},   {46, 1, true},
        {86, 2, true},   {88, 2, true},   {90, 2, true},   {89, 2, true},   {45, 1, true},
        {67, 2, false},  {65, 2, false},  {65, 4, false},  {86, 4, false},  {86, 6, false},
        {112, 0, false}, {113, 0, false}, {117, 0, false}, {37, 0, false},  {40, 0, false},
        {33, 0, false},  {9, 0, false},   {13, 0, false},  {27, 0, false},  {16, 1, false},
        {17, 2, false},  {45, 0, false},  {45, 2, false},  {193, 0, false}, {218, 0, false},
        {0, 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyChangesFocusedBox(window, c.keyCode, c.shift), c.changes)
            << c.keyCode << " shift " << c.shift;
    }
}

TEST_F(EditKeyTest, NothingChangesOutsideAnEditableBox) {
    readOnly->setFocus();
    EXPECT_FALSE(KeyChangesFocusedBox(window, 65, 0));
    EXPECT_FALSE(KeyChangesFocusedBox(window, 8, 0));
    button->setFocus();
    EXPECT_FALSE(KeyChangesFocusedBox(window, 65, 0));
    box->setFocus();
    box->setEnabled(false);
    EXPECT_FALSE(KeyChangesFocusedBox(window, 65, 0));
}

TEST(EditKey, AWindowWithNothingFocusedChangesNothing) {
    QWidget window;
    EXPECT_FALSE(KeyChangesFocusedBox(window, 65, 0));
}

}  // namespace
}  // namespace zel
