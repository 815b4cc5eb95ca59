#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "host/controls/flex_grid.h"
#include "host/database/register_database_service.h"
#include "host/login/login.h"
#include "host/objects/object_registry.h"
#include "host/objects/resource_texts.h"
#include "host/pub/find_dialog.h"
#include "host/pub/find_row_editor.h"
#include "host/pub/pub_service.h"
#include "support/test_database.h"

namespace zel {
namespace {

constexpr const char* kCaption = "仓库存货对照表";

QString ShownText(const char* key) {
    return QString::fromStdString(ResourceTexts::Instance().Text(key));
}

std::shared_ptr<ILogin> UserLogin(const std::string& userId) {
    Login::Values values;
    values.userId = userId;
    values.ysDBName = test::TestDatabase::kAccount;
    return std::make_shared<Login>(values);
}

struct Column {
    const char* name;
    const char* source;
    const char* caption;
};

// A list window's grid after FormatGrid: the serial number, table columns and one expression.
constexpr Column kColumns[] = {
    {"", "", "序号"},
    {"cInvCode", "WhInvContrapose.cInvCode", "存货编码"},
    {"cInvName", "Inventory.cInvName", "存货名称"},
    {"iTopSum", "WhInvContrapose.iTopSum", "最高库存"},
    {"cFrequency", "WhInvContrapose.cFrequency", "盘点周期单位"},
    {"dLastDate", "WhInvContrapose.dLastDate", "上次盘点日期"},
    {"iTotal", "", "合计"},
};

QStringList Items(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i) {
        items << box.itemText(i);
    }
    return items;
}

void Choose(QComboBox& box, const QString& text) {
    const int index = box.findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box.setCurrentIndex(index);
}

void Fill(FindRowEditor& line, const QString& field, const char* operatorKey,
          const QString& value = {}, const QString& value2 = {}) {
    Choose(*line.findChild<QComboBox*>("field"), field);
    Choose(*line.findChild<QComboBox*>("operator"), ShownText(operatorKey));
    line.findChild<QLineEdit*>("value")->setText(value);
    line.findChild<QLineEdit*>("value2")->setText(value2);
}

int Click(QDialog& dialog, const char* button) {
    dialog.findChild<QPushButton*>(button)->click();
    return dialog.result();
}

FindDialog& AsFind(QDialog& dialog) {
    return dynamic_cast<FindDialog&>(dialog);
}

class PubServiceFindTest : public ::testing::Test {
protected:
    PubServiceFindTest() {
        RegisterDatabaseService(registry, database.Environment());
        auto* grid = new FlexGrid(&window);
        grid->setObjectName("Grid");
        grid->SetCols(static_cast<int>(std::size(kColumns)));
        grid->SetRows(1);
        for (int col = 0; col < grid->Cols(); ++col) {
            const Column& column = kColumns[col];
            grid->SetColField(col, {column.name, column.source});
            grid->SetTextMatrix(0, col, column.caption);
        }
    }

    std::string Find(const std::string& userId, test::ScriptedDialogs::ModalScript script) {
        dialogs.QueueModal(std::move(script));
        std::string condition = "left over";
        pub.Find(*UserLogin(userId), kCaption, window, condition);
        return condition;
    }

    void FindSet(const std::string& userId, test::ScriptedDialogs::ModalScript script) {
        dialogs.QueueModal(std::move(script));
        pub.FindSet(*UserLogin(userId), kCaption, window);
    }

    // The lines the find dialog opens with, closed with Cancel.
    std::vector<FindRow> OpeningRows(const std::string& userId, QStringList* fields = nullptr) {
        std::vector<FindRow> rows;
        Find(userId, [&](QDialog& dialog) {
            rows = AsFind(dialog).Rows();
            if (fields != nullptr) {
                *fields = Items(*dialog.findChild<QComboBox*>("field"));
            }
            return Click(dialog, "cancel");
        });
        return rows;
    }

    test::TestDatabase database;
    test::ScriptedDialogs& dialogs = database.Dialogs();
    ObjectRegistry registry;
    PubService pub{database.Environment(), registry};
    QWidget window;
};

TEST_F(PubServiceFindTest, OkGivesTheConditionOfTheFilledLines) {
    QStringList fields;
    const std::string condition = Find("u1", [&](QDialog& dialog) {
        auto& find = AsFind(dialog);
        fields = Items(*dialog.findChild<QComboBox*>("field"));
        Fill(find.AddRow(), "存货名称", "Zel.HOST.FIND.opContains", "50%");
        FindRowEditor& second = find.AddRow();
        Fill(second, "最高库存", "Zel.HOST.FIND.opBetween", "10", "1");
        Choose(*second.findChild<QComboBox*>("join"), ShownText("Zel.HOST.FIND.or"));
        // The empty first line goes.
        find.Editors().front()->findChild<QToolButton*>("remove")->click();
        return Click(dialog, "ok");
    });
    EXPECT_EQ(fields,
              QStringList({"存货编码", "存货名称", "最高库存", "盘点周期单位", "上次盘点日期"}));
    EXPECT_EQ(condition, R"(((Inventory.cInvName like '%50\%%' escape '\'))"
                         " or (WhInvContrapose.iTopSum between 1 and 10))");
}

TEST_F(PubServiceFindTest, CancelGivesNothingAndKeepsNothing) {
    const std::string condition = Find("u1", [](QDialog& dialog) {
        Fill(*AsFind(dialog).Editors().front(), "存货名称", "Zel.HOST.FIND.opEqual", "x");
        return Click(dialog, "cancel");
    });
    EXPECT_EQ(condition, "");
    EXPECT_EQ(OpeningRows("u1").front().value, "");
}

TEST_F(PubServiceFindTest, ANonNumberIsRefusedWithAMessageUntilTheUserMendsIt) {
    bool openAfterRefusal = false;
    const std::string condition = Find("u1", [&](QDialog& dialog) {
        FindRowEditor& line = *AsFind(dialog).Editors().front();
        Fill(line, "最高库存", "Zel.HOST.FIND.opGreater", "12abc");
        Click(dialog, "ok");
        openAfterRefusal = dialog.isVisible() && dialog.result() != QDialog::Accepted;
        line.findChild<QLineEdit*>("value")->setText("12");
        return Click(dialog, "ok");
    });
    EXPECT_TRUE(openAfterRefusal);
    ASSERT_EQ(dialogs.MessageTexts().size(), 1u);
    EXPECT_EQ(dialogs.MessageTexts().front(),
              ResourceTexts::Instance().Format("Zel.HOST.FIND.notNumber", {"最高库存", "12abc"}));
    EXPECT_EQ(condition, "((WhInvContrapose.iTopSum > 12))");
}

TEST_F(PubServiceFindTest, ADateIsPickedFromTheCalendar) {
    const std::string condition = Find("u1", [&](QDialog& dialog) {
        FindRowEditor& line = *AsFind(dialog).Editors().front();
        Fill(line, "上次盘点日期", "Zel.HOST.FIND.opEqual");
        dialogs.QueueModal([](QDialog& calendar) {
            calendar.findChild<QCalendarWidget*>("calendar")->setSelectedDate(QDate(2024, 3, 5));
            return static_cast<int>(QDialog::Accepted);
        });
        line.findChild<QToolButton*>("pick")->click();
        return Click(dialog, "ok");
    });
    EXPECT_EQ(condition, "((WhInvContrapose.dLastDate = '2024-03-05'))");
}

TEST_F(PubServiceFindTest, TheFrequencyUnitIsChosenFromItsList) {
    QStringList operators;
    QStringList units;
    const std::string condition = Find("u1", [&](QDialog& dialog) {
        FindRowEditor& line = *AsFind(dialog).Editors().front();
        Choose(*line.findChild<QComboBox*>("field"), "盘点周期单位");
        operators = Items(*line.findChild<QComboBox*>("operator"));
        units = Items(*line.findChild<QComboBox*>("choice"));
        Choose(*line.findChild<QComboBox*>("choice"), "月");
        return Click(dialog, "ok");
    });
    EXPECT_EQ(operators, QStringList({ShownText("Zel.HOST.FIND.opEqual"),
                                      ShownText("Zel.HOST.FIND.opNotEqual"),
                                      ShownText("Zel.HOST.FIND.opIsEmpty")}));
    EXPECT_EQ(units, QStringList({"天", "周", "月"}));
    EXPECT_EQ(condition, "((WhInvContrapose.cFrequency = '月'))");
}

TEST_F(PubServiceFindTest, TheLastLinesComeBackForTheSameUserOnly) {
    std::vector<FindRow> accepted;
    Find("u1", [&](QDialog& dialog) {
        auto& find = AsFind(dialog);
        Fill(*find.Editors().front(), "存货名称", "Zel.HOST.FIND.opBeginsWith", "O'Brien");
        Fill(find.AddRow(), "最高库存", "Zel.HOST.FIND.opIsEmpty");
        accepted = find.Rows();
        return Click(dialog, "ok");
    });
    ASSERT_EQ(accepted.size(), 2u);
    EXPECT_EQ(OpeningRows("u1"), accepted);
    const auto others = OpeningRows("u2");
    ASSERT_EQ(others.size(), 1u);
    EXPECT_EQ(others.front().value, "");
}

TEST_F(PubServiceFindTest, TheFieldsChosenInTheSetUpAreTheOnlyOnesOffered) {
    Find("u1", [&](QDialog& dialog) {
        Fill(*AsFind(dialog).Editors().front(), "最高库存", "Zel.HOST.FIND.opEqual", "3");
        Fill(AsFind(dialog).AddRow(), "存货名称", "Zel.HOST.FIND.opEqual", "螺钉");
        return Click(dialog, "ok");
    });
    FindSet("u1", [](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("fields");
        EXPECT_EQ(list->count(), 5);
        list->item(0)->setCheckState(Qt::Unchecked);
        list->item(2)->setCheckState(Qt::Unchecked);
        return Click(dialog, "ok");
    });

    QStringList offered;
    const auto rows = OpeningRows("u1", &offered);
    EXPECT_EQ(offered, QStringList({"存货名称", "盘点周期单位", "上次盘点日期"}));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.front().field, "cInvName");

    QStringList othersOffered;
    OpeningRows("u2", &othersOffered);
    EXPECT_EQ(othersOffered.size(), 5);

    std::vector<Qt::CheckState> states;
    FindSet("u1", [&](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("fields");
        for (int i = 0; i < list->count(); ++i) {
            states.push_back(list->item(i)->checkState());
        }
        return Click(dialog, "cancel");
    });
    EXPECT_EQ(states, (std::vector<Qt::CheckState>{Qt::Unchecked, Qt::Checked, Qt::Unchecked,
                                                   Qt::Checked, Qt::Checked}));
}

TEST_F(PubServiceFindTest, TheSetUpRefusesToOfferNoField) {
    bool openAfterRefusal = false;
    FindSet("u1", [&](QDialog& dialog) {
        dialog.findChild<QPushButton*>("none")->click();
        Click(dialog, "ok");
        openAfterRefusal = dialog.isVisible();
        return Click(dialog, "cancel");
    });
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(dialogs.MessageTexts(),
              std::vector<std::string>{ResourceTexts::Instance().Text("Zel.HOST.FIND.noneChosen")});
    QStringList offered;
    OpeningRows("u1", &offered);
    EXPECT_EQ(offered.size(), 5);
}

TEST_F(PubServiceFindTest, F1InEitherDialogOpensItsSectionOfTheGuide) {
    const auto sectionOnF1 = [](QDialog& dialog) {
        QTest::keyClick(&dialog, Qt::Key_F1);
        const auto* guide = dialog.findChild<QTextBrowser*>("HelpViewer");
        return guide != nullptr && guide->isVisible() ? guide->source().fragment().toStdString()
                                                      : std::string("no guide");
    };
    std::string findSection;
    Find("u1", [&](QDialog& dialog) {
        findSection = sectionOnF1(dialog);
        return Click(dialog, "cancel");
    });
    EXPECT_EQ(findSection, "filter");
    std::string setSection;
    FindSet("u1", [&](QDialog& dialog) {
        setSection = sectionOnF1(dialog);
        return Click(dialog, "cancel");
    });
    EXPECT_EQ(setSection, "filter-fields");
    EXPECT_TRUE(dialogs.MessageTexts().empty());
}

TEST_F(PubServiceFindTest, AWindowWithoutAGridSaysSoAndShowsNoDialog) {
    QWidget bare;
    std::string condition = "left over";
    pub.Find(*UserLogin("u1"), kCaption, bare, condition);
    EXPECT_EQ(condition, "");
    EXPECT_EQ(dialogs.ModalCount(), 0);
    EXPECT_EQ(dialogs.MessageTexts(),
              std::vector<std::string>{ResourceTexts::Instance().Text("Zel.HOST.FIND.noFields")});
}

}  // namespace
}  // namespace zel
