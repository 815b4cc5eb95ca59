#include "host/controls/find/find_ctl.h"

#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <optional>

#include "host/controls/find/field_value_box.h"
#include "host/controls/find/find_ctl_line.h"
#include "host/objects/resource_texts.h"
#include "interfaces/cls_common.h"
#include "support/case_name.h"
#include "support/test_database.h"

namespace zel {
namespace {

// The definition as the component builds it, with the captions of the demo dictionary and one
// caption that needs escaping.
const std::string kFieldDef =
    "<whinvcontrapose>"
    "<whinvcontrapose.CWhCode showfldname='仓库编码'  reftype='ref' bmulmodify='1' />"
    "<whinvcontrapose.cInvCode showfldname='存货编码'  reftype='ref'  bmulmodify='1' />"
    "<whinvcontrapose.iTopSum showfldname='最高库存'  reftype='decdgt'  bmulmodify='1'  "
    "decdgt='2' />"
    "<whinvcontrapose.iLowSum showfldname='最低库存'  reftype='decdgt'  bmulmodify='1' "
    "decdgt='2'  />"
    "<whinvcontrapose.iFrequency showfldname='盘点周期'  reftype=''  bmulmodify='1'   />"
    "<whinvcontrapose.cFrequency showfldname='盘点周期单位'  reftype='enum' enumval='天;周;月'  "
    "bmulmodify='1'   />"
    "<whinvcontrapose.dLastDate showfldname='上次盘点日期'  reftype='date' bmulmodify='1' />"
    "<whinvcontrapose.cWhPersonCode showfldname='O&apos;Brien &amp; 库管员'  reftype='ref'  "
    "bmulmodify='1'  />"
    "</whinvcontrapose>";

struct Request {
    std::string condition;
    std::string caption;
    std::string field;
    std::string value;
};

class FindCtlTest : public ::testing::Test {
protected:
    void SetUp() override {
        columns_ = database_.OpenService()->OpenX("select * from WhInvContrapose where 1=2");
        std::string xml = kFieldDef;
        std::string message;
        ASSERT_TRUE(control_.SetFieldDef(xml, columns_, message, "修改", "(F8)")) << message;
        QObject::connect(&control_, &FindCtl::ModifyRequest, &control_,
                         [this](std::string& condition, std::string& caption, std::string& field,
                                std::string& value) {
                             requests_.push_back({condition, caption, field, value});
                         });
    }

    FindCtlLine& Line(int number) {
        auto* line = control_.findChild<FindCtlLine*>(QStringLiteral("line%1").arg(number));
        EXPECT_NE(line, nullptr) << "line " << number;
        return *line;
    }

    template <typename T>
    static T& Part(QObject& parent, const char* name) {
        auto* part = parent.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(part, nullptr) << name;
        return *part;
    }

    static void Choose(QComboBox& combo, const QString& text) {
        const int index = combo.findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo.setCurrentIndex(index);
    }

    // Puts a value into a value box: chosen in its list or typed into its text box. An empty
    // value leaves the box as it is.
    static void Give(FieldValueBox& box, const std::string& value) {
        if (value.empty()) {
            return;
        }
        auto& choice = Part<QComboBox>(box, "choice");
        if (choice.isVisibleTo(&box)) {
            Choose(choice, QString::fromStdString(value));
        } else {
            Part<QLineEdit>(box, "text").setText(QString::fromStdString(value));
        }
    }

    void Fill(int number, const char* caption, const char* opKey, const std::string& value = "",
              const std::string& value2 = "", bool orJoin = false) {
        FindCtlLine& line = Line(number);
        Part<QComboBox>(line, "join").setCurrentIndex(orJoin ? 1 : 0);
        Choose(Part<QComboBox>(line, "field"), QString::fromUtf8(caption));
        Choose(Part<QComboBox>(line, "operator"), ResourceQString(opKey));
        Give(Part<FieldValueBox>(line, "value"), value);
        Give(Part<FieldValueBox>(line, "value2"), value2);
    }

    void SetModify(const char* caption, const std::string& value) {
        Choose(Part<QComboBox>(control_, "modifyField"), QString::fromUtf8(caption));
        Give(Part<FieldValueBox>(control_, "modifyValue"), value);
    }

    void ClickConfirm() { Part<QPushButton>(control_, "confirm").click(); }

    // The condition of a confirmation that must go through.
    std::string Condition() {
        requests_.clear();
        ClickConfirm();
        EXPECT_EQ(requests_.size(), 1U) << (refusals_.empty() ? "" : refusals_.back());
        return requests_.empty() ? std::string() : requests_.back().condition;
    }

    test::TestDatabase database_;
    std::shared_ptr<IRecordset> columns_;
    std::vector<std::string> refusals_;
    std::vector<Request> requests_;
    std::function<int(QDialog&)> calendarScript_;
    QWidget owner_;
    FindCtl control_{[this](QDialog& dialog) {
                         if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
                             refusals_.push_back(box->text().toStdString());
                             return static_cast<int>(QMessageBox::Ok);
                         }
                         return calendarScript_ ? calendarScript_(dialog) : 0;
                     },
                     &owner_};
};

struct LineCase {
    const char* caption;
    const char* opKey;
    const char* value;
    const char* value2;
    const char* condition;
};

class FindCtlLineTest : public FindCtlTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(FindCtlLineTest, GivesTheConditionOfOneLine) {
    const LineCase& c = GetParam();
    Fill(1, c.caption, c.opKey, c.value, c.value2);
    EXPECT_EQ(Condition(), c.condition);
    EXPECT_TRUE(refusals_.empty());
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindAndOperator, FindCtlLineTest,
    ::testing::Values(
        LineCase{"存货编码", "Zel.HOST.FIND.opEqual", "A01", "",
                 "whinvcontrapose.cInvCode = 'A01'"},
        LineCase{"存货编码", "Zel.HOST.FIND.opEqual", "O'Brien", "",
                 "whinvcontrapose.cInvCode = 'O''Brien'"},
        LineCase{"存货编码", "Zel.HOST.FIND.opNotEqual", "A01", "",
                 "(whinvcontrapose.cInvCode <> 'A01' or whinvcontrapose.cInvCode is null)"},
        LineCase{"仓库编码", "Zel.HOST.FIND.opLess", "02", "", "whinvcontrapose.CWhCode < '02'"},
        LineCase{"仓库编码", "Zel.HOST.FIND.opGreater", "02", "", "whinvcontrapose.CWhCode > '02'"},
        LineCase{"存货编码", "Zel.HOST.FIND.opBetween", "A", "B'",
                 "whinvcontrapose.cInvCode between 'A' and 'B'''"},
        LineCase{"存货编码", "Zel.HOST.FIND.opContains", "5%_x", "",
                 R"(whinvcontrapose.cInvCode like '%5\%\_x%' escape '\')"},
        LineCase{"存货编码", "Zel.HOST.FIND.opBeginsWith", "O'B", "",
                 R"(whinvcontrapose.cInvCode like 'O''B%' escape '\')"},
        LineCase{"存货编码", "Zel.HOST.FIND.opIsEmpty", "", "",
                 "(whinvcontrapose.cInvCode is null or whinvcontrapose.cInvCode = '')"},
        LineCase{"最高库存", "Zel.HOST.FIND.opEqual", "012.50", "",
                 "whinvcontrapose.iTopSum = 12.5"},
        LineCase{"最高库存", "Zel.HOST.FIND.opNotEqual", "3", "",
                 "(whinvcontrapose.iTopSum <> 3 or whinvcontrapose.iTopSum is null)"},
        LineCase{"最高库存", "Zel.HOST.FIND.opLessOrEqual", "3", "",
                 "whinvcontrapose.iTopSum <= 3"},
        LineCase{"最高库存", "Zel.HOST.FIND.opGreaterOrEqual", "-1.5", "",
                 "whinvcontrapose.iTopSum >= -1.5"},
        LineCase{"最高库存", "Zel.HOST.FIND.opBetween", "10", "2",
                 "whinvcontrapose.iTopSum between 2 and 10"},
        LineCase{"最高库存", "Zel.HOST.FIND.opIsEmpty", "", "", "whinvcontrapose.iTopSum is null"},
        LineCase{"盘点周期", "Zel.HOST.FIND.opGreater", "3", "", "whinvcontrapose.iFrequency > 3"},
        LineCase{"上次盘点日期", "Zel.HOST.FIND.opEqual", "2024/3/5", "",
                 "whinvcontrapose.dLastDate = '2024-03-05'"},
        LineCase{"上次盘点日期", "Zel.HOST.FIND.opLess", "2024-03-05", "",
                 "whinvcontrapose.dLastDate < '2024-03-05'"},
        LineCase{"上次盘点日期", "Zel.HOST.FIND.opBetween", "2024-12-31", "2024-1-1",
                 "whinvcontrapose.dLastDate between '2024-01-01' and '2024-12-31'"},
        LineCase{"盘点周期单位", "Zel.HOST.FIND.opEqual", "周", "",
                 "whinvcontrapose.cFrequency = '周'"},
        LineCase{"盘点周期单位", "Zel.HOST.FIND.opNotEqual", "月", "",
                 "(whinvcontrapose.cFrequency <> '月' or whinvcontrapose.cFrequency is null)"},
        LineCase{"盘点周期单位", "Zel.HOST.FIND.opIsEmpty", "", "",
                 "(whinvcontrapose.cFrequency is null or whinvcontrapose.cFrequency = '')"}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " + info.param.condition,
                                     info.index);
    });

TEST_F(FindCtlTest, OffersTheOperatorsOfTheFieldsKind) {
    const auto offered = [this](const char* caption) {
        auto& line = Line(1);
        Choose(Part<QComboBox>(line, "field"), QString::fromUtf8(caption));
        auto& operators = Part<QComboBox>(line, "operator");
        std::vector<std::string> texts;
        for (int i = 0; i < operators.count(); ++i) {
            texts.push_back(operators.itemText(i).toStdString());
        }
        return texts;
    };
    const auto texts = [](std::initializer_list<const char*> keys) {
        std::vector<std::string> all;
        for (const char* key : keys) {
            all.push_back(ResourceTexts::Instance().Text(key));
        }
        return all;
    };
    const auto ordered = texts({"Zel.HOST.FIND.opEqual", "Zel.HOST.FIND.opNotEqual",
                                "Zel.HOST.FIND.opLess", "Zel.HOST.FIND.opLessOrEqual",
                                "Zel.HOST.FIND.opGreater", "Zel.HOST.FIND.opGreaterOrEqual",
                                "Zel.HOST.FIND.opBetween", "Zel.HOST.FIND.opIsEmpty"});
    EXPECT_EQ(offered("最高库存"), ordered);
    EXPECT_EQ(offered("上次盘点日期"), ordered);
    EXPECT_EQ(offered("盘点周期"), ordered);
    EXPECT_EQ(offered("盘点周期单位"), texts({"Zel.HOST.FIND.opEqual", "Zel.HOST.FIND.opNotEqual",
                                              "Zel.HOST.FIND.opIsEmpty"}));
    const auto text = offered("存货编码");
    EXPECT_EQ(text.size(), 8U);
    EXPECT_NE(std::find(text.begin(), text.end(),
                        ResourceTexts::Instance().Text("Zel.HOST.FIND.opContains")),
              text.end());
}

TEST_F(FindCtlTest, JoinsFilledLinesByTheirAndOr) {
    control_.SetConditionLines(3);
    EXPECT_EQ(Condition(), "1=1");
    Fill(1, "存货编码", "Zel.HOST.FIND.opEqual", "A01");
    Fill(3, "最高库存", "Zel.HOST.FIND.opGreater", "5");
    EXPECT_EQ(Condition(), "whinvcontrapose.cInvCode = 'A01' and whinvcontrapose.iTopSum > 5");
    Fill(3, "最高库存", "Zel.HOST.FIND.opGreater", "5", "", true);
    EXPECT_EQ(Condition(), "(whinvcontrapose.cInvCode = 'A01' or whinvcontrapose.iTopSum > 5)");
    Fill(2, "存货编码", "Zel.HOST.FIND.opNotEqual", "B");
    EXPECT_EQ(Condition(),
              "(whinvcontrapose.cInvCode = 'A01' and (whinvcontrapose.cInvCode <> 'B' or "
              "whinvcontrapose.cInvCode is null) or whinvcontrapose.iTopSum > 5)");
    // The first filled line has nothing before it: its "or" joins nothing.
    Choose(Part<QComboBox>(Line(1), "field"), QString());
    Part<QComboBox>(Line(2), "join").setCurrentIndex(1);
    Part<QComboBox>(Line(3), "join").setCurrentIndex(0);
    EXPECT_EQ(Condition(),
              "(whinvcontrapose.cInvCode <> 'B' or whinvcontrapose.cInvCode is null) and "
              "whinvcontrapose.iTopSum > 5");
}

TEST_F(FindCtlTest, AddsAndRemovesLinesButKeepsOne) {
    EXPECT_EQ(control_.findChildren<FindCtlLine*>().size(), 1);
    Part<QPushButton>(control_, "add").click();
    Part<QPushButton>(control_, "add").click();
    EXPECT_EQ(control_.findChildren<FindCtlLine*>().size(), 3);
    EXPECT_FALSE(Part<QComboBox>(Line(1), "join").isVisibleTo(&Line(1)));
    EXPECT_TRUE(Part<QComboBox>(Line(3), "join").isVisibleTo(&Line(3)));
    Fill(3, "最高库存", "Zel.HOST.FIND.opEqual", "1");
    for (int i = 0; i < 4; ++i) {
        Part<QPushButton>(control_, "removeLast").click();
    }
    EXPECT_EQ(control_.findChildren<FindCtlLine*>().size(), 1);
    EXPECT_EQ(Condition(), "1=1");
    control_.SetConditionLines(0);
    EXPECT_EQ(control_.findChildren<FindCtlLine*>().size(), 1);
}

struct RefusalCase {
    const char* caption;
    const char* opKey;
    const char* value;
    const char* value2;
    const char* modifyCaption;
    const char* modifyValue;
    std::string message;
};

class FindCtlRefusalTest : public FindCtlTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(FindCtlRefusalTest, RefusesAnIncompleteRequestWithAMessageAndNoRequest) {
    const RefusalCase& c = GetParam();
    if (*c.caption != '\0') {
        Fill(1, c.caption, c.opKey, c.value, c.value2);
    }
    SetModify(c.modifyCaption, c.modifyValue);
    ClickConfirm();
    EXPECT_TRUE(requests_.empty());
    EXPECT_EQ(refusals_, std::vector<std::string>{c.message});
}

const ResourceTexts& Texts() {
    return ResourceTexts::Instance();
}

INSTANTIATE_TEST_SUITE_P(
    IncompleteLinesAndValues, FindCtlRefusalTest,
    ::testing::Values(
        RefusalCase{"存货编码", "Zel.HOST.FIND.opEqual", " ", "", "最高库存", "1",
                    Texts().Format("Zel.HOST.FIND.noValue", {"存货编码"})},
        RefusalCase{"最高库存", "Zel.HOST.FIND.opBetween", "1", "", "最高库存", "1",
                    Texts().Format("Zel.HOST.FIND.noValue", {"最高库存"})},
        RefusalCase{"最高库存", "Zel.HOST.FIND.opLess", "-", "", "最高库存", "1",
                    Texts().Format("Zel.HOST.FIND.notNumber", {"最高库存", "-"})},
        RefusalCase{"上次盘点日期", "Zel.HOST.FIND.opEqual", "2024-02-30", "", "最高库存", "1",
                    Texts().Format("Zel.HOST.FIND.notDate", {"上次盘点日期", "2024-02-30"})},
        RefusalCase{"", "", "", "", "最高库存", "1x",
                    Texts().Format("Zel.HOST.FIND.notNumber", {"最高库存", "1x"})},
        RefusalCase{"", "", "", "", "上次盘点日期", "5.3.2024",
                    Texts().Format("Zel.HOST.FIND.notDate", {"上次盘点日期", "5.3.2024"})}),
    [](const auto& info) {
        return ::zel::test::CaseName(std::to_string(info.index) + " " +
                                         std::string(info.param.opKey) + " " + info.param.value +
                                         " " + info.param.value2,
                                     info.index);
    });

// What the user typed stays in view: a box that dropped the characters it refused would turn
// "1) or (1=1" into the different number 111 without a word.
TEST_F(FindCtlTest, ANumberBoxKeepsWhatWasTypedAndConfirmRefusesItNamingTheField) {
    const std::string typed = "1) or (1=1";
    auto& modify = Part<QLineEdit>(Part<FieldValueBox>(control_, "modifyValue"), "text");
    Choose(Part<QComboBox>(control_, "modifyField"), QStringLiteral("最高库存"));
    QTest::keyClicks(&modify, QString::fromStdString(typed));
    EXPECT_EQ(modify.text().toStdString(), typed);
    Fill(1, "存货编码", "Zel.HOST.FIND.opEqual", "A01");
    ClickConfirm();
    EXPECT_TRUE(requests_.empty());
    EXPECT_EQ(refusals_, std::vector<std::string>{ResourceTexts::Instance().Format(
                             "Zel.HOST.FIND.notNumber", {"最高库存", typed})});

    modify.clear();
    refusals_.clear();
    Fill(1, "最高库存", "Zel.HOST.FIND.opEqual");
    auto& condition = Part<QLineEdit>(Part<FieldValueBox>(Line(1), "value"), "text");
    QTest::keyClicks(&condition, "1a2.5'");
    EXPECT_EQ(condition.text(), "1a2.5'");
    ClickConfirm();
    EXPECT_TRUE(requests_.empty());
    EXPECT_EQ(refusals_.size(), 1U);
}

struct ModifyCase {
    const char* caption;
    const char* value;
    Request request;
};

class FindCtlModifyTest : public FindCtlTest, public ::testing::WithParamInterface<ModifyCase> {};

TEST_P(FindCtlModifyTest, DeliversTheChosenFieldAndItsValue) {
    SetModify(GetParam().caption, GetParam().value);
    Fill(1, "存货编码", "Zel.HOST.FIND.opEqual", "A01");
    ClickConfirm();
    ASSERT_EQ(requests_.size(), 1U);
    EXPECT_EQ(requests_[0].condition, GetParam().request.condition);
    EXPECT_EQ(requests_[0].caption, GetParam().request.caption);
    EXPECT_EQ(requests_[0].field, GetParam().request.field);
    EXPECT_EQ(requests_[0].value, GetParam().request.value);
}

const char* const kA01 = "whinvcontrapose.cInvCode = 'A01'";

INSTANTIATE_TEST_SUITE_P(
    EveryKind, FindCtlModifyTest,
    ::testing::Values(
        ModifyCase{"最高库存", "120.50", {kA01, "最高库存", "whinvcontrapose.iTopSum", "120.5"}},
        ModifyCase{"最低库存", "", {kA01, "最低库存", "whinvcontrapose.iLowSum", ""}},
        ModifyCase{"盘点周期", "7", {kA01, "盘点周期", "whinvcontrapose.iFrequency", "7"}},
        ModifyCase{
            "盘点周期单位", "周", {kA01, "盘点周期单位", "whinvcontrapose.cFrequency", "周"}},
        ModifyCase{"盘点周期单位", "", {kA01, "盘点周期单位", "whinvcontrapose.cFrequency", ""}},
        ModifyCase{"上次盘点日期",
                   "2024/3/5",
                   {kA01, "上次盘点日期", "whinvcontrapose.dLastDate", "2024-03-05"}},
        ModifyCase{
            "存货编码", "O'Brien", {kA01, "存货编码", "whinvcontrapose.cInvCode", "O'Brien"}},
        ModifyCase{"O'Brien & 库管员",
                   "P01",
                   {kA01, "O'Brien & 库管员", "whinvcontrapose.cWhPersonCode", "P01"}}),
    [](const auto& info) {
        return ::zel::test::CaseName(
            std::to_string(info.index) + " " + info.param.request.field + " " + info.param.value,
            info.index);
    });

TEST_F(FindCtlTest, OffersTheFieldsThatMayBeChangedAndLabelsTheConfirmButton) {
    std::string xml =
        "<t><t.cA showfldname='甲' reftype='ref' bmulmodify='1'/>"
        "<t.iB showfldname='乙' reftype='decdgt' bmulmodify='0'/></t>";
    std::string message;
    ASSERT_TRUE(control_.SetFieldDef(xml, columns_, message, "修改", "(F8)"));
    auto& modifyField = Part<QComboBox>(control_, "modifyField");
    ASSERT_EQ(modifyField.count(), 1);
    EXPECT_EQ(modifyField.itemText(0), "甲");
    EXPECT_EQ(Part<QComboBox>(Line(1), "field").count(), 3);  // the empty entry and both fields
    EXPECT_EQ(Part<QPushButton>(control_, "confirm").text(), "修改(F8)");
}

TEST_F(FindCtlTest, ShowsTheBoxesTheFieldNeeds) {
    auto& value = Part<FieldValueBox>(control_, "modifyValue");
    const auto shown = [&](const char* caption) {
        Choose(Part<QComboBox>(control_, "modifyField"), QString::fromUtf8(caption));
        std::string parts;
        for (const char* name : {"text", "pick", "choice"}) {
            if (Part<QWidget>(value, name).isVisibleTo(&value)) {
                parts += std::string(parts.empty() ? "" : "+") + name;
            }
        }
        return parts;
    };
    EXPECT_EQ(shown("仓库编码"), "text+pick");
    EXPECT_EQ(shown("最高库存"), "text");
    EXPECT_EQ(shown("盘点周期"), "text");
    EXPECT_EQ(shown("上次盘点日期"), "text+pick");
    EXPECT_EQ(shown("盘点周期单位"), "choice");
    auto& choice = Part<QComboBox>(value, "choice");
    ASSERT_EQ(choice.count(), 4);
    EXPECT_EQ(choice.itemText(0), "");
    EXPECT_EQ(choice.itemText(3), "月");
    // The condition lines' lists have no empty entry: a chosen field and "=" always have a value.
    Fill(1, "盘点周期单位", "Zel.HOST.FIND.opEqual", "天");
    EXPECT_EQ(Part<QComboBox>(Part<FieldValueBox>(Line(1), "value"), "choice").count(), 3);
}

TEST_F(FindCtlTest, PutsTheCodeTheWindowLooksUpIntoTheBox) {
    std::vector<std::string> asked;
    std::string answer = "A01";
    QObject::connect(&control_, &FindCtl::RefRequest, &control_,
                     [&](const std::string& field, std::string& code, QLineEdit& box) {
                         asked.push_back(field);
                         code = answer;
                         box.setToolTip("名称：螺钉");
                     });
    Fill(1, "存货编码", "Zel.HOST.FIND.opEqual");
    auto& lineValue = Part<FieldValueBox>(Line(1), "value");
    Part<QToolButton>(lineValue, "pick").click();
    EXPECT_EQ(Part<QLineEdit>(lineValue, "text").text(), "A01");
    EXPECT_EQ(Part<QLineEdit>(lineValue, "text").toolTip(), "名称：螺钉");

    SetModify("仓库编码", "01");
    answer.clear();  // the user closed the picker without a choice
    auto& modifyValue = Part<FieldValueBox>(control_, "modifyValue");
    Part<QToolButton>(modifyValue, "pick").click();
    EXPECT_EQ(Part<QLineEdit>(modifyValue, "text").text(), "01");
    answer = "02";
    Part<QToolButton>(modifyValue, "pick").click();
    EXPECT_EQ(asked,
              (std::vector<std::string>{"whinvcontrapose.cInvCode", "whinvcontrapose.CWhCode",
                                        "whinvcontrapose.CWhCode"}));
    ClickConfirm();
    ASSERT_EQ(requests_.size(), 1U);
    EXPECT_EQ(requests_[0].condition, kA01);
    EXPECT_EQ(requests_[0].value, "02");
}

TEST_F(FindCtlTest, TakesTheDateChosenInTheCalendar) {
    calendarScript_ = [](QDialog& dialog) {
        dialog.findChild<QCalendarWidget*>(QStringLiteral("calendar"))
            ->setSelectedDate(QDate(2024, 3, 5));
        return static_cast<int>(QDialog::Accepted);
    };
    SetModify("上次盘点日期", "");
    Part<QToolButton>(Part<FieldValueBox>(control_, "modifyValue"), "pick").click();
    Fill(1, "上次盘点日期", "Zel.HOST.FIND.opBetween", "", "2024-01-01");
    Part<QToolButton>(Part<FieldValueBox>(Line(1), "value"), "pick").click();
    ClickConfirm();
    ASSERT_EQ(requests_.size(), 1U);
    EXPECT_EQ(requests_[0].condition,
              "whinvcontrapose.dLastDate between '2024-01-01' and '2024-03-05'");
    EXPECT_EQ(requests_[0].value, "2024-03-05");
}

TEST_F(FindCtlTest, RefusesDefinitionsItCannotUse) {
    struct Case {
        std::string xml;
        std::string message;
    };
    const auto unreadable = [](int offset) {
        return Texts().Format("Zel.HOST.FIND.badFieldDef", {std::to_string(offset)});
    };
    const std::string none = Texts().Text("Zel.HOST.FIND.noModifiable");
    const std::vector<Case> cases = {
        {"", unreadable(0)},
        {"not xml", unreadable(7)},
        {"<t><t.cA showfldname='O'Brien' reftype='' bmulmodify='1'/></t>", unreadable(24)},
        {"<t><t.cA showfldname='甲' bmulmodify='1'/>", unreadable(42)},
        {"<t/>", none},
        {"<t><t.cA showfldname='甲' reftype='ref'/><t.cB bmulmodify='0'/></t>", none},
    };
    for (const auto& c : cases) {
        std::string xml = c.xml;
        std::string message;
        EXPECT_FALSE(control_.SetFieldDef(xml, columns_, message, "修改", "(F8)")) << c.xml;
        EXPECT_EQ(message, c.message) << c.xml;
    }
    // The definition read before stays in use.
    SetModify("最高库存", "1");
    EXPECT_EQ(Condition(), "1=1");
}

TEST_F(FindCtlTest, TakesAPlainFieldAsTextWithoutTheColumns) {
    std::shared_ptr<IRecordset> noColumns;
    std::string xml = kFieldDef;
    std::string message;
    ASSERT_TRUE(control_.SetFieldDef(xml, noColumns, message, "修改", "(F8)"));
    Fill(1, "盘点周期", "Zel.HOST.FIND.opEqual", "3");
    EXPECT_EQ(Condition(), "whinvcontrapose.iFrequency = '3'");
}

TEST_F(FindCtlTest, ConfirmsOnF8AndCancelsOnItsButton) {
    int cancels = 0;
    QObject::connect(&control_, &FindCtl::CancelRequest, &control_, [&] { ++cancels; });
    owner_.show();
    owner_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner_));
    Fill(1, "存货编码", "Zel.HOST.FIND.opEqual", "A01");
    SetModify("最高库存", "9");
    auto& box = Part<QLineEdit>(Part<FieldValueBox>(control_, "modifyValue"), "text");
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_F8);
    ASSERT_EQ(requests_.size(), 1U);
    EXPECT_EQ(requests_[0].condition, kA01);
    control_.Confirm();
    EXPECT_EQ(requests_.size(), 2U);
    EXPECT_EQ(cancels, 0);
    Part<QPushButton>(control_, "cancel").click();
    EXPECT_EQ(cancels, 1);
}

}  // namespace
}  // namespace zel
