#include "host/pub/label_captions.h"

#include <gtest/gtest.h>

#include "editor_test_window.h"
#include "support/test_database.h"

namespace zel {
namespace {

class LabelCaptionsTest : public ::testing::Test {
protected:
    LabelCaptionsTest() {
        for (YsLabel* label : window.findChildren<YsLabel*>()) {
            label->SetCaption("design");
        }
    }

    std::string Caption(const char* label) const { return window.Label(label)->Caption(); }

    test::TestDatabase database;
    std::shared_ptr<IClsCommon> service = database.OpenService();
    test::EditorTestWindow window;
};

TEST_F(LabelCaptionsTest, LabelsOfDictionaryFieldsTakeTheirCaptions) {
    SetFieldLabelCaptions(*service, window, "inventory");
    EXPECT_EQ(Caption("Labcinvcode"), "存货编码");
    EXPECT_EQ(Caption("LabcInvName"), "存货名称");
    EXPECT_EQ(Caption("LabiTopSum"), "最高库存");
    EXPECT_EQ(Caption("LbliWastage"), "合理损耗率");
    EXPECT_EQ(Caption("LblcFrequency"), "盘点周期单位");
    EXPECT_EQ(Caption("LbldLastDate"), "上次盘点日期");
    // No field of the dictionary behind these names.
    EXPECT_EQ(Caption("LblcWhcode"), "design");
    EXPECT_EQ(Caption("LblcPersonCode"), "design");
    EXPECT_EQ(Caption("LblCboiDays"), "design");
    EXPECT_EQ(Caption("Lblday"), "design");
}

TEST_F(LabelCaptionsTest, CaptionsAreShownAsPlainTextAndEmptyOnesAreSkipped) {
    ASSERT_TRUE(database.Execute(
        "update aa_columndic set ccaption='<b>上限</b>' where cfldname='iTopSum'"));
    ASSERT_TRUE(database.Execute("update aa_columndic set ccaption='' where cfldname='iLowSum'"));
    auto* plain = new QLabel("design", window.fields);
    plain->setObjectName("LABIDAYS");
    SetFieldLabelCaptions(*service, window, "Inventory");
    EXPECT_EQ(Caption("LabiTopSum"), "<b>上限</b>");
    EXPECT_EQ(window.Label("LabiTopSum")->textFormat(), Qt::PlainText);
    EXPECT_EQ(Caption("LabiLowSum"), "design");
    EXPECT_EQ(plain->text().toStdString(), "盘点日");
    EXPECT_EQ(plain->textFormat(), Qt::PlainText);
}

TEST_F(LabelCaptionsTest, AnotherKindOrAnUnreadableDictionaryChangesNothing) {
    SetFieldLabelCaptions(*service, window, "warehouse");
    SetFieldLabelCaptions(*service, window, "it's");
    ASSERT_TRUE(database.Execute("drop table aa_columndic"));
    SetFieldLabelCaptions(*service, window, "inventory");
    for (const YsLabel* label : window.findChildren<YsLabel*>()) {
        EXPECT_EQ(label->Caption(), "design") << label->objectName().toStdString();
    }
}

}  // namespace
}  // namespace zel
