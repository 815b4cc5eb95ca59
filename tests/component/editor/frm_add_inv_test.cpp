#include "editor/frm_add_inv.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCalendarWidget>
#include <QTableView>
#include <QTest>

#include "component/support/failing_db.h"
#include "component/support/main_window_fixture.h"
#include "editor/edit_record_command.h"

namespace korvel::test {
namespace {

// The editor as the main window opens it, driven from inside its modal showing.
class EditorTest : public MainWindowTest {
protected:
    void SetUp() override {
        database.AddWarehouse("01", "成品库");
        database.AddWarehouse("02", "原料库");
        database.AddPerson("P01", "王五");
        database.AddInventory(
            "A001", "螺钉", {{"iTopSum", 100}, {"iLowSum", 5}, {"cFrequency", "周"}, {"iDays", 2}});
        database.AddInventory("A002", "螺母", {{"cDefWareHouse", "02"}});
        database.AddInventory("B001", "A002");
    }
    FrmWhInvContra& OpenMain() {
        MainWindowCommands commands;
        commands.editRecord = EditRecordCommand();
        FrmWhInvContra& main = Open(std::move(commands));
        Click("r01");
        return main;
    }
    void Click(const std::string& key) {
        zel::YsTreeNode* node = window->Trv().Nodes().Find(key);
        node->SetSelected(true);
        window->Trv().RaiseNodeClick(*node);
    }
    // Runs the command on the main window with the script answering the editor.
    void WithEditor(const std::string& command, std::function<void(FrmAddInv&)> script) {
        database.Dialogs().QueueModal([script](QDialog& dialog) {
            auto& editor = static_cast<FrmAddInv&>(dialog);
            editor.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
            script(editor);
            return 0;
        });
        window->ExecCommand(command);
    }
    static void Type(zel::Edit& box, const QString& text) {
        QApplication::setActiveWindow(box.window());
        box.setFocus();
        box.selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(&box, Qt::Key_Backspace);
            return;
        }
        // Key clicks carry Latin-1 only; other text comes in as the input method would insert it.
        if (text.toLatin1() == text.toUtf8()) {
            QTest::keyClicks(&box, text);
        } else {
            box.insert(text);
        }
    }
    static void Leave(QWidget& box) { QTest::keyClick(&box, Qt::Key_Tab); }
    static void Save(FrmAddInv& editor) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &editor,
                        Qt::Key_F6);
    }
    zel::Variant Stored(const std::string& column, const std::string& warehouse,
                        const std::string& item) {
        return database.Scalar("select " + column + " from WhInvContrapose where cWhCode='" +
                               warehouse + "' and cInvCode='" + item + "'");
    }
    zel::Variant RowCount() { return database.Scalar("select count(*) from WhInvContrapose"); }
};

TEST_F(EditorTest, AddLooksTheItemUpCopiesItsSettingsSavesAndResetsForTheNext) {
    OpenMain();
    WithEditor("Add", [this](FrmAddInv& editor) {
        EXPECT_EQ(editor.EdtcWhCode().Text(), "01");
        EXPECT_EQ(editor.EdtcWhName().Text(), "成品库");
        EXPECT_FALSE(editor.HasUnsavedChanges());
        Type(editor.Edtcinvcode(), "a001");
        Leave(editor.Edtcinvcode());
        EXPECT_EQ(editor.Edtcinvcode().Text(), "A001");
        EXPECT_EQ(editor.EdtcInvName().Text(), "螺钉");
        EXPECT_EQ(editor.EdtiTopSum().Text(), "100.00");
        EXPECT_EQ(editor.CbocFrequency().Text(), "周") << "the item's unit is selected";
        EXPECT_EQ(editor.CboiDays().Text(), "2");
        EXPECT_FALSE(editor.EdtdLastDate().Text().empty()) << "today when the item has none";
        Type(editor.EdtiLowSum(), "7");
        EXPECT_TRUE(editor.HasUnsavedChanges());
        Save(editor);
        EXPECT_EQ(editor.EdtcWhCode().Text(), "01") << "the warehouse is kept";
        EXPECT_EQ(editor.Edtcinvcode().Text(), "");
        EXPECT_EQ(editor.CbocFrequency().ListIndex(), -1);
        EXPECT_FALSE(editor.HasUnsavedChanges());
    });
    EXPECT_EQ(Stored("iLowSum", "01", "A001").ToDouble(), 7.0);
    EXPECT_EQ(Stored("cFrequency", "01", "A001"), zel::Variant("周"));
    EXPECT_EQ(Stored("iDays", "01", "A001"), zel::Variant(2));
    EXPECT_EQ(Stored("cCreatePerson", "01", "A001"), zel::Variant("demo"));
    EXPECT_EQ(window->Grid().Rows(), 2) << "the grid is read again after the editor";
}

// After a save the user goes on typing: the next item's code after an add, the same box after
// a change (the navigation keys bring the next row into it); never a box that takes no entry.
TEST_F(EditorTest, AfterASaveTheFocusIsWhereTheUserGoesOnTyping) {
    database.AddCorrespondence("01", "A002");
    OpenMain();
    WithEditor("Add", [this](FrmAddInv& editor) {
        Type(editor.Edtcinvcode(), "A001");
        Leave(editor.Edtcinvcode());
        Type(editor.EdtiLowSum(), "7");
        editor.CboiDays().setFocus();  // the last box of the form
        Save(editor);
        EXPECT_EQ(QApplication::focusWidget(), &editor.Edtcinvcode())
            << (QApplication::focusWidget()
                    ? QApplication::focusWidget()->objectName().toStdString()
                    : "none");
    });
    window->Grid().SetRow(1);
    WithEditor("Modify", [this](FrmAddInv& editor) {
        Type(editor.EdtiTopSum(), "50");
        Save(editor);
        EXPECT_EQ(QApplication::focusWidget(), &editor.EdtiTopSum())
            << (QApplication::focusWidget()
                    ? QApplication::focusWidget()->objectName().toStdString()
                    : "none");
        // Saved from a box the reset disables: the focus goes to the first box taking entry.
        QTest::keyClick(&editor.EdtiTopSum(), Qt::Key_PageDown);
        Type(editor.EdtiTopSum(), "60");
        editor.CboiDays().setFocus();
        Save(editor);
        const auto* box = qobject_cast<zel::Edit*>(QApplication::focusWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isEnabled() && !box->isReadOnly()) << box->objectName().toStdString();
    });
}

TEST_F(EditorTest, ANameFindsItsItemAndACodeWinsOverAnotherItemsName) {
    OpenMain();
    WithEditor("Add", [](FrmAddInv& editor) {
        Type(editor.Edtcinvcode(), "螺钉");
        Leave(editor.Edtcinvcode());
        EXPECT_EQ(editor.Edtcinvcode().Text(), "A001");
        Type(editor.Edtcinvcode(), "A002");
        Leave(editor.Edtcinvcode());
        EXPECT_EQ(editor.EdtcInvName().Text(), "螺母") << "A002 is a code and B001's name";
    });
}

TEST_F(EditorTest, AnUnknownCodeIsRefusedEmptiedAndNeverSaved) {
    OpenMain();
    WithEditor("Add", [this](FrmAddInv& editor) {
        Type(editor.Edtcinvcode(), "NOPE");
        editor.EdtiTopSum().setFocus();
        QTest::keyClicks(&editor.EdtiTopSum(), "1");
        EXPECT_EQ(editor.Edtcinvcode().Text(), "");
        EXPECT_EQ(MessageTexts().size(), 1u);
        Type(editor.Edtcinvcode(), "NOPE");
        Save(editor);
    });
    EXPECT_EQ(RowCount(), zel::Variant(0));
    EXPECT_EQ(MessageTexts().size(), 2u);
}

class EditorWithoutConnection : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        BindContext();
        db = FailingDb::InPlaceOf(context.login.db);
    }
    std::string LostMessage() const { return FailingDb::LostMessage(*context.login.pub); }

    std::shared_ptr<FailingDb> db;
};

// The user hears why the code was not checked, not that it does not exist; it is not kept.
TEST_F(EditorWithoutConnection, ALookUpSaysTheConnectionIsLostAndLetsNoCodeThrough) {
    OpenMain();
    bool edited = false;
    WithEditor("Add", [&](FrmAddInv& editor) {
        edited = true;
        Type(editor.Edtcinvcode(), "A001");
        database.Dialogs().Clear();
        db->LoseConnection();
        Leave(editor.Edtcinvcode());
        EXPECT_EQ(editor.Edtcinvcode().Text(), "");
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{LostMessage()});
        db->Reconnect();
    });
    ASSERT_TRUE(edited);
    EXPECT_EQ(RowCount(), zel::Variant(0));
}

// The boxes show the quantities rounded; those the user left alone are sent as held. When they
// cannot be read the save stops, even though the connection is back for the save itself.
TEST_F(EditorWithoutConnection, ASaveWhoseHeldQuantitiesCannotBeReadIsNotMadeNorReportedAsMade) {
    database.AddCorrespondence("01", "A001", {{"iTopSum", 9.125}, {"iLowSum", 1}});
    FrmWhInvContra& main = OpenMain();
    main.Grid().SetRow(1);
    bool edited = false;
    WithEditor("Modify", [&](FrmAddInv& editor) {
        edited = true;
        database.Dialogs().Clear();
        db->lostAtStatementWith = "WhInvContrapose.iTopSum,WhInvContrapose.iLowSum";
        db->reconnectsOnNextCall = true;
        Type(editor.EdtiLowSum(), "2");
        Save(editor);
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{LostMessage()});
        EXPECT_TRUE(editor.HasUnsavedChanges());
    });
    ASSERT_TRUE(edited);
    EXPECT_EQ(Stored("iTopSum", "01", "A001").ToDouble(), 9.125);
    EXPECT_EQ(Stored("iLowSum", "01", "A001").ToDouble(), 1.0);
}

TEST_F(EditorTest, TheDefaultWarehouseFillsOnlyAnEmptyWarehouseBox) {
    OpenMain();
    WithEditor("Add", [](FrmAddInv& editor) {
        Type(editor.Edtcinvcode(), "A002");
        Leave(editor.Edtcinvcode());
        EXPECT_EQ(editor.EdtcWhCode().Text(), "01");
        Type(editor.EdtcWhCode(), "");
        editor.EdtcWhName().SetText({});
        Type(editor.Edtcinvcode(), "A002");
        Leave(editor.Edtcinvcode());
        EXPECT_EQ(editor.EdtcWhCode().Text(), "02");
        EXPECT_EQ(editor.EdtcWhName().Text(), "原料库");
    });
}

TEST_F(EditorTest, ASecondAddOfThePairIsRefusedInTheServicesWordsAndChangesNothing) {
    database.AddCorrespondence("01", "A001", {{"iTopSum", 9}});
    OpenMain();
    WithEditor("Add", [](FrmAddInv& editor) {
        Type(editor.Edtcinvcode(), "A001");
        Leave(editor.Edtcinvcode());
        Save(editor);
        EXPECT_TRUE(editor.HasUnsavedChanges()) << "nothing was saved";
    });
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"仓库存货对照已经存在！"});
    EXPECT_EQ(Stored("iTopSum", "01", "A001").ToDouble(), 9.0);
}

TEST_F(EditorTest, AZeroCountOnlyWarnsAndKeepsTheFocusButDoesNotBlockTheSave) {
    OpenMain();
    WithEditor("Add", [](FrmAddInv& editor) {
        Type(editor.Edtcinvcode(), "A001");
        Leave(editor.Edtcinvcode());
        Type(editor.EdtiFrequency(), "0");
        Leave(editor.EdtiFrequency());
        EXPECT_EQ(QApplication::focusWidget(), &editor.EdtiFrequency());
        Save(editor);
    });
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"盘点周期必须大于零！"});
    EXPECT_EQ(RowCount(), zel::Variant(1));
}

TEST_F(EditorTest, AZeroLossRateBlocksTheSaveWhileItsBoxHasTheFocus) {
    OpenMain();
    WithEditor("Add", [](FrmAddInv& editor) {
        Type(editor.Edtcinvcode(), "A001");
        Leave(editor.Edtcinvcode());
        Type(editor.EdtiWastage(), "0");
        Save(editor);
    });
    EXPECT_EQ(RowCount(), zel::Variant(0));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"合理损耗率必须大于零！"});
}

// The save holds the stock-limit rule of multi-record modify, whichever box has the focus and
// wherever the values came from (typed, or copied from the item).
TEST_F(EditorTest, TheSaveRefusesLimitsOutOfOrderAndANegativeLossRate) {
    database.AddInventory("W001", "损耗件", {{"iWastage", -5}});
    OpenMain();
    WithEditor("Add", [](FrmAddInv& editor) {
        Type(editor.Edtcinvcode(), "A001");
        Leave(editor.Edtcinvcode());
        Type(editor.EdtiTopSum(), "10");
        Type(editor.EdtiLowSum(), "99999");
        editor.EdtcWhPersonCode().setFocus();
        Save(editor);
        EXPECT_EQ(QApplication::focusWidget(), &editor.EdtiLowSum());

        Type(editor.Edtcinvcode(), "W001");
        Leave(editor.Edtcinvcode());
        EXPECT_EQ(editor.EdtiWastage().Text(), "-5.00");
        editor.EdtcWhPersonCode().setFocus();
        Save(editor);
        EXPECT_EQ(QApplication::focusWidget(), &editor.EdtiWastage());
    });
    EXPECT_EQ(RowCount(), zel::Variant(0));
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"最低库存不能大于最高库存！", "合理损耗率必须大于零！"}));
}

TEST_F(EditorTest, ThePersonIsFoundByNameAndSavedByCode) {
    OpenMain();
    WithEditor("Add", [](FrmAddInv& editor) {
        Type(editor.Edtcinvcode(), "A001");
        Leave(editor.Edtcinvcode());
        Type(editor.EdtcWhPersonCode(), "王五");
        Leave(editor.EdtcWhPersonCode());
        EXPECT_EQ(editor.EdtcWhPersonCode().Tag(), "P01");
        Save(editor);
    });
    EXPECT_EQ(Stored("cWhPersonCode", "01", "A001"), zel::Variant("P01"));
}

TEST_F(EditorTest, TheUnitDrivesTheDayListAndADayUnitSavesNoDay) {
    OpenMain();
    WithEditor("Add", [](FrmAddInv& editor) {
        Type(editor.Edtcinvcode(), "A001");
        Leave(editor.Edtcinvcode());
        editor.CbocFrequency().SetListIndex(2);
        EXPECT_EQ(editor.CboiDays().ListCount(), 31);
        EXPECT_EQ(editor.CboiDays().Text(), "1");
        editor.CbocFrequency().SetListIndex(1);
        editor.CboiDays().SetListIndex(2);
        EXPECT_EQ(editor.CboiDays().toolTip().toStdString(), "星期二");
        editor.CbocFrequency().SetListIndex(0);
        EXPECT_FALSE(editor.CboiDays().isEnabled());
        editor.EdtiTopSum().setFocus();
        QTest::keyClicks(&editor.EdtiTopSum(), "1");
        Save(editor);
    });
    EXPECT_EQ(Stored("cFrequency", "01", "A001"), zel::Variant("天"));
    EXPECT_TRUE(Stored("iDays", "01", "A001").IsNull());
}

// The editor refuses the dates multi-record modify refuses, and saves a date in its stored form.
TEST_F(EditorTest, ADateOutsideTheDateRuleIsRefusedAndATypedOneSavedAsStored) {
    OpenMain();
    WithEditor("Add", [](FrmAddInv& editor) {
        Type(editor.Edtcinvcode(), "A001");
        Leave(editor.Edtcinvcode());
        Type(editor.EdtdLastDate(), "1850-01-01");
        Save(editor);
        EXPECT_TRUE(editor.HasUnsavedChanges()) << "nothing was saved";
        EXPECT_EQ(QApplication::focusWidget(), &editor.EdtdLastDate());
        Type(editor.EdtdLastDate(), "2026/1/5");
        Save(editor);
        EXPECT_FALSE(editor.HasUnsavedChanges());
    });
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{
                  "上次盘点日期“1850-01-01”不是有效的日期，请按“年-月-日”输入，如 2024-01-31。"});
    EXPECT_EQ(Stored("dLastDate", "01", "A001"), zel::Variant("2026-01-05"));
}

TEST_F(EditorTest, ModifyFillsTheRowSavesItAndWritesTheGridRowBack) {
    database.AddCorrespondence("01", "A001", {{"iTopSum", 9}, {"cFrequency", "月"}, {"iDays", 31}});
    database.AddCorrespondence("01", "A002");
    FrmWhInvContra& main = OpenMain();
    main.Grid().SetRow(1);
    WithEditor("Modify", [](FrmAddInv& editor) {
        EXPECT_EQ(editor.Edtcinvcode().Text(), "A001");
        EXPECT_FALSE(editor.Edtcinvcode().isEnabled());
        EXPECT_FALSE(editor.EdtcWhCode().isEnabled());
        EXPECT_EQ(editor.CboiDays().Text(), "31");
        EXPECT_FALSE(editor.Tlb().Buttons("First")->Enabled());
        EXPECT_TRUE(editor.Tlb().Buttons("Next")->Enabled());
        Type(editor.EdtiTopSum(), "50");
        Save(editor);
        EXPECT_FALSE(editor.HasUnsavedChanges());
    });
    EXPECT_EQ(Stored("iTopSum", "01", "A001").ToDouble(), 50.0);
    EXPECT_EQ(Stored("iDays", "01", "A001"), zel::Variant(31));
}

TEST_F(EditorTest, TheKeyFieldPickersAreOffWhileModifyingAndOnWhileAdding) {
    database.AddCorrespondence("01", "A001");
    database.AddCorrespondence("01", "A002");
    FrmWhInvContra& main = OpenMain();
    main.Grid().SetRow(1);
    WithEditor("Modify", [](FrmAddInv& editor) {
        EXPECT_FALSE(editor.cmdRef1().isEnabled());
        EXPECT_FALSE(editor.cmdRef2().isEnabled());
        EXPECT_TRUE(editor.cmdRef3().isEnabled()) << "the person is no key";
        QTest::keyClick(&editor.EdtiTopSum(), Qt::Key_PageDown);
        EXPECT_FALSE(editor.cmdRef1().isEnabled()) << "on every row";
        EXPECT_FALSE(editor.cmdRef2().isEnabled());
    });
    WithEditor("Add", [](FrmAddInv& editor) {
        EXPECT_TRUE(editor.cmdRef1().isEnabled());
        EXPECT_TRUE(editor.cmdRef2().isEnabled());
    });
}

// The grid and the boxes show two decimals; the table holds six.
TEST_F(EditorTest, ModifyKeepsTheStoredValuesOfTheQuantitiesTheUserLeftAlone) {
    database.AddCorrespondence("01", "A001",
                               {{"iTopSum", 1234.5678}, {"iLowSum", 2.3456}, {"iSafeNum", 7.891}});
    FrmWhInvContra& main = OpenMain();
    main.Grid().SetRow(1);
    WithEditor("Modify", [](FrmAddInv& editor) {
        EXPECT_EQ(editor.EdtiTopSum().Text(), "1234.57");
        Type(editor.EdtiWastage(), "3");
        Type(editor.EdtiLowSum(), "2.5");
        editor.EdtiTopSum().setFocus();
        Leave(editor.EdtiTopSum());
        Save(editor);
        EXPECT_FALSE(editor.HasUnsavedChanges());
    });
    EXPECT_EQ(Stored("iTopSum", "01", "A001").ToDouble(), 1234.5678);
    EXPECT_EQ(Stored("iSafeNum", "01", "A001").ToDouble(), 7.891);
    EXPECT_EQ(Stored("iLowSum", "01", "A001").ToDouble(), 2.5) << "typed over";
    EXPECT_EQ(Stored("iWastage", "01", "A001").ToDouble(), 3.0);
}

TEST_F(EditorTest, ARoundedQuantityTypedOverIsSavedAsTyped) {
    database.AddCorrespondence("01", "A001", {{"iTopSum", 1234.5678}});
    database.AddCorrespondence("01", "A002", {{"iTopSum", 8.125}});
    FrmWhInvContra& main = OpenMain();
    main.Grid().SetRow(1);
    WithEditor("Modify", [](FrmAddInv& editor) {
        Type(editor.EdtiTopSum(), "1234.57");
        Save(editor);
        QTest::keyClick(&editor.EdtiLowSum(), Qt::Key_PageDown);
        Type(editor.EdtiWastage(), "1");
        Save(editor);
    });
    EXPECT_EQ(Stored("iTopSum", "01", "A001").ToDouble(), 1234.57);
    EXPECT_EQ(Stored("iTopSum", "01", "A002").ToDouble(), 8.125) << "untouched on the next row";
}

TEST_F(EditorTest, PageKeysStepThroughTheGridRows) {
    database.AddCorrespondence("01", "A001");
    database.AddCorrespondence("01", "A002");
    database.AddCorrespondence("01", "B001");
    FrmWhInvContra& main = OpenMain();
    main.Grid().SetRow(1);
    WithEditor("Modify", [](FrmAddInv& editor) {
        QTest::keyClick(&editor.EdtiTopSum(), Qt::Key_PageDown);
        EXPECT_EQ(editor.CurrentRow(), 2);
        QTest::keyClick(&editor.EdtiTopSum(), Qt::Key_PageDown, Qt::AltModifier);
        EXPECT_EQ(editor.CurrentRow(), 3);
        EXPECT_EQ(editor.Edtcinvcode().Text(), "B001");
        EXPECT_FALSE(editor.Tlb().Buttons("Last")->Enabled());
        QTest::keyClick(&editor.EdtiTopSum(), Qt::Key_PageUp, Qt::AltModifier);
        EXPECT_EQ(editor.CurrentRow(), 1);
    });
}

TEST_F(EditorTest, F2PicksAnItemWhoseCheckThenFillsTheFields) {
    OpenMain();
    std::vector<std::string> offered;
    WithEditor("Add", [this, &offered](FrmAddInv& editor) {
        database.Dialogs().QueueModal([&offered](QDialog& picker) {
            auto* items = picker.findChild<QTableView*>("items");
            QAbstractItemModel* model = items->model();
            for (int row = 0; row < model->rowCount(); ++row) {
                offered.push_back(model->index(row, 0).data().toString().toStdString());
                if (offered.back() == "A001") {
                    items->setCurrentIndex(model->index(row, 0));
                }
            }
            picker.accept();
            return 1;
        });
        Type(editor.Edtcinvcode(), "A00");
        QTest::keyClick(&editor.Edtcinvcode(), Qt::Key_F2);
        EXPECT_EQ(editor.Edtcinvcode().Text(), "A001");
        EXPECT_EQ(editor.EdtcInvName().Text(), "螺钉");
        EXPECT_TRUE(editor.HasUnsavedChanges());
    });
    EXPECT_EQ(offered, (std::vector<std::string>{"A001", "A002", "B001"}));
}

TEST_F(EditorTest, APickerThatCannotStartStillMovesOnSoTheTypedTextIsChecked) {
    OpenMain();
    // Write conditions the database cannot read: no picker can open its rows.
    for (std::string* condition :
         {&context.login.sAuthWhW, &context.login.sAuthInvW, &context.login.sAuthPersonW}) {
        *condition = "(NoSuchColumn=1)";
    }
    WithEditor("Add", [](FrmAddInv& editor) {
        Type(editor.Edtcinvcode(), "a001");
        editor.cmdRef2().click();
        EXPECT_EQ(editor.Edtcinvcode().Text(), "A001");
        EXPECT_EQ(editor.EdtcInvName().Text(), "螺钉");
        EXPECT_NE(QApplication::focusWidget(), &editor.Edtcinvcode());
        Type(editor.EdtcWhCode(), "原料库");
        editor.cmdRef1().click();
        EXPECT_EQ(editor.EdtcWhCode().Text(), "02");
        EXPECT_EQ(editor.EdtcWhName().Text(), "原料库");
        Type(editor.EdtcWhPersonCode(), "p01");
        QTest::keyClick(&editor.EdtcWhPersonCode(), Qt::Key_F2);
        EXPECT_EQ(editor.EdtcWhPersonCode().Text(), "王五");
        EXPECT_EQ(editor.EdtcWhPersonCode().Tag(), "P01");
    });
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(EditorTest, EscapeClosesOnlyAnUnchangedEditor) {
    OpenMain();
    bool stillOpen = false;
    WithEditor("Add", [&stillOpen](FrmAddInv& editor) {
        Type(editor.EdtiTopSum(), "5");
        QTest::keyClick(&editor.EdtiTopSum(), Qt::Key_Escape);
        stillOpen = editor.isVisible();
    });
    EXPECT_TRUE(stillOpen);
}

TEST_F(EditorTest, TheCalendarSetsTheDateAndACancelledOneLeavesIt) {
    OpenMain();
    database.Dialogs().QueueModal([](QDialog& editorDialog) {
        auto& editor = static_cast<FrmAddInv&>(editorDialog);
        editor.EdtdLastDate().SetText("2024-01-02");
        editor.CmdDate().click();
        EXPECT_EQ(editor.EdtdLastDate().Text(), "2024-01-02") << "cancelled";
        editor.CmdDate().click();
        EXPECT_EQ(editor.EdtdLastDate().Text(), "2024-02-29");
        return 0;
    });
    database.Dialogs().QueueModal([](QDialog&) { return 0; });
    database.Dialogs().QueueModal([](QDialog& calendar) {
        calendar.findChild<QCalendarWidget*>("calendar")->setSelectedDate(QDate(2024, 2, 29));
        calendar.accept();
        return 1;
    });
    window->ExecCommand("Add");
}

}  // namespace
}  // namespace korvel::test
