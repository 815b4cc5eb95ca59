#include "batchadd/frm_batch_add.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTreeView>
#include <algorithm>

#include "batchadd/batch_add_command.h"
#include "component/support/failing_db.h"
#include "component/support/main_window_fixture.h"
#include "host/controls/mouse_pointer.h"
#include "host/objects/resource_texts.h"
#include "host/pub/locate_dialog.h"
#include "mainwindow/warehouse_tree.h"

namespace korvel::test {
namespace {

constexpr const char* kQuestionTitle = "警告信息";

// The batch-add window as the main window opens it, driven from inside its modal showing.
class BatchAddTest : public MainWindowTest {
protected:
    void SetUp() override {
        database.AddWarehouse("01", "成品库");
        database.AddWarehouse("02", "原料库");
        for (const auto& [code, name] : {std::pair{"AA", "原料"},
                                         {"AABB", "钢材"},
                                         {"AACC", "辅料"},
                                         {"AACCDDD", "紧固件"},
                                         {"ZZ01", "无上级"}}) {
            database.Execute(std::string("insert into InventoryClass (cInvCCode, cInvCName) ") +
                             "values ('" + code + "', '" + name + "')");
        }
        database.AddInventory("A001", "螺钉",
                              {{"cInvCCode", "AABB"}, {"cDefWareHouse", "01"}, {"iTopSum", 500}});
        database.AddInventory("A002", "螺母", {{"cInvCCode", "AABB"}, {"cDefWareHouse", "02"}});
        database.AddInventory("A003", "垫圈",
                              {{"cInvCCode", "AACCDDD"},
                               {"cDefWareHouse", "01"},
                               {"cFrequency", "周"},
                               {"iDays", 2}});
        database.AddInventory("B001", "其他");
    }
    void OpenMain(const std::string& warehouseKey = "r01") {
        MainWindowCommands commands;
        commands.batchAdd = BatchAddCommand();
        Open(std::move(commands));
        Click(*window, warehouseKey);
    }
    void WithBatchAdd(std::function<void(FrmBatchAdd&)> script) {
        database.Dialogs().QueueModal([script](QDialog& dialog) {
            script(static_cast<FrmBatchAdd&>(dialog));
            return 0;
        });
        window->ExecCommand("BatchAdd");
    }
    // The user's tick on a class node: the tree raises the node check.
    static void Tick(FrmBatchAdd& batch, const std::string& key) {
        batch.Trv().Nodes().Find(key)->setCheckState(0, Qt::Checked);
    }
    static std::vector<std::string> ListedCodes(FrmBatchAdd& batch) {
        std::vector<std::string> codes;
        for (int index = 1; index <= batch.lvwInventory().Count(); ++index) {
            codes.push_back(batch.lvwInventory().Text(index));
        }
        return codes;
    }
    static std::vector<std::string> CheckedCodes(FrmBatchAdd& batch) {
        std::vector<std::string> codes;
        for (int index = 1; index <= batch.lvwInventory().Count(); ++index) {
            if (batch.lvwInventory().Checked(index)) {
                codes.push_back(batch.lvwInventory().Text(index));
            }
        }
        return codes;
    }
    static void CheckAllItems(FrmBatchAdd& batch) {
        for (int index = 1; index <= batch.lvwInventory().Count(); ++index) {
            batch.lvwInventory().SetChecked(index, true);
        }
    }
    // Answers the next duplicate question, ticking "the same for the rest" when asked to.
    void AnswerDuplicate(QMessageBox::StandardButton answer, bool forTheRest = false) {
        database.Dialogs().QueueModal([this, answer, forTheRest](QDialog& dialog) {
            auto& box = static_cast<QMessageBox&>(dialog);
            questions.push_back(box.text().toStdString());
            EXPECT_EQ(box.windowTitle().toStdString(), kQuestionTitle);
            box.checkBox()->setChecked(forTheRest);
            return static_cast<int>(answer);
        });
    }
    std::vector<std::string> StoredCodes(const std::string& warehouse) {
        std::vector<std::string> codes;
        for (const char* code : {"A001", "A002", "A003", "B001", "O'B&1"}) {
            if (database
                    .Scalar("select count(*) from WhInvContrapose where cWhCode='" + warehouse +
                            "' and cInvCode='" +
                            std::string(code == std::string("O'B&1") ? "O''B&1" : code) + "'")
                    .ToDouble()
                    .value_or(0) > 0) {
                codes.push_back(code);
            }
        }
        return codes;
    }

    std::vector<std::string> questions;
};

TEST_F(BatchAddTest, BuildsTheClassTreeByTheCodingRuleWithAnOrphanUnderTheRoot) {
    OpenMain();
    WithBatchAdd([](FrmBatchAdd& batch) {
        const zel::YsTreeNodes& nodes = batch.Trv().Nodes();
        ASSERT_EQ(nodes.Count(), 6);
        EXPECT_EQ(nodes.Find("r")->Text(), "存货分类");
        const std::pair<const char*, const char*> parents[] = {{"rAA", "r"},
                                                               {"rAABB", "rAA"},
                                                               {"rAACC", "rAA"},
                                                               {"rAACCDDD", "rAACC"},
                                                               {"rZZ01", "r"}};
        for (const auto& [key, parent] : parents) {
            ASSERT_NE(nodes.Find(key)->Parent(), nullptr) << key;
            EXPECT_EQ(nodes.Find(key)->Parent()->Key(), parent) << key;
        }
        EXPECT_EQ(nodes.Find("rAABB")->Text(), "(AABB) 钢材");
        EXPECT_TRUE(nodes.Find("rZZ01")->Selected()) << "the last class added";
        EXPECT_TRUE(nodes.Find("rAACC")->Expanded());
        EXPECT_EQ(batch.YsFrmCaptionMgr().Caption(), "批量增加存货");
    });
}

TEST_F(BatchAddTest, WithoutACodingRuleSaysSoAndHangsEveryClassUnderTheRoot) {
    database.Execute("delete from GradeDef");
    OpenMain();
    WithBatchAdd([](FrmBatchAdd& batch) {
        for (const char* key : {"rAA", "rAABB", "rAACCDDD"}) {
            EXPECT_EQ(batch.Trv().Nodes().Find(key)->Parent()->Key(), "r") << key;
        }
    });
    ASSERT_FALSE(MessageTexts().empty());
    EXPECT_EQ(MessageTexts().front(), "数据库系统没有设定存货分类编码规则！\n建议设定!");
}

TEST_F(BatchAddTest, ANodeCheckReachesEveryDescendantAndAllSelReachesTheRoot) {
    OpenMain();
    WithBatchAdd([](FrmBatchAdd& batch) {
        const zel::YsTreeNodes& nodes = batch.Trv().Nodes();
        Tick(batch, "rAACC");
        EXPECT_TRUE(nodes.Find("rAACCDDD")->Checked());
        EXPECT_FALSE(nodes.Find("rAA")->Checked()) << "the parent keeps its state";
        EXPECT_FALSE(nodes.Find("rAABB")->Checked()) << "a sibling keeps its state";
        nodes.Find("rAACC")->setCheckState(0, Qt::Unchecked);
        EXPECT_FALSE(nodes.Find("rAACCDDD")->Checked());

        batch.ExecuteCommand("allsel");
        for (int index = 1; index <= nodes.Count(); ++index) {
            EXPECT_TRUE(nodes.Item(index)->Checked()) << nodes.Item(index)->Key();
        }
        batch.ExecuteCommand("AllCancel");
        EXPECT_FALSE(nodes.Find("r")->Checked());
    });
}

// Select all in a window for picking items picks the items listed as well as every class.
TEST_F(BatchAddTest, AllSelAndAllCancelReachTheListedItemsAsWellAsTheTree) {
    OpenMain();
    WithBatchAdd([](FrmBatchAdd& batch) {
        batch.ExecuteCommand("ShowDetail");
        batch.ExecuteCommand("AllSel");
        EXPECT_EQ(CheckedCodes(batch).size(), 4u);
        EXPECT_TRUE(batch.Trv().Nodes().Find("rAABB")->Checked());
        batch.ExecuteCommand("AllCancel");
        EXPECT_TRUE(CheckedCodes(batch).empty());
        EXPECT_FALSE(batch.Trv().Nodes().Find("rAABB")->Checked());
        batch.close();
    });
}

// Ticking many items is done from the keyboard or the list's menu, not one box at a time.
TEST_F(BatchAddTest, TheListSelectsAllWithCtrlATicksWithSpaceAndOffersTheTicksInItsMenu) {
    OpenMain();
    WithBatchAdd([](FrmBatchAdd& batch) {
        batch.ExecuteCommand("ShowDetail");
        QTreeView& view = batch.lvwInventory().View();
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(view.selectionModel()->selectedRows().size(), 4);
        QTest::keyClick(&view, Qt::Key_Space);
        EXPECT_EQ(CheckedCodes(batch).size(), 4u);
        QTest::keyClick(&view, Qt::Key_Space);
        EXPECT_TRUE(CheckedCodes(batch).empty()) << "all ticked: Space unticks them";

        view.clearSelection();
        batch.lvwInventory().SelectItem(2);
        QMenu& menu = batch.lvwInventory().ContextMenu();
        const QList<QAction*> actions = menu.actions();
        ASSERT_EQ(actions.size(), 4);
        const char* keys[] = {"Zel.HOST.LIST.tickSelected", "Zel.HOST.LIST.untickSelected",
                              "Zel.HOST.LIST.tickAll", "Zel.HOST.LIST.untickAll"};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(actions[i]->text(), zel::ResourceQString(keys[i])) << keys[i];
        }
        actions[0]->trigger();
        EXPECT_EQ(CheckedCodes(batch), std::vector<std::string>{batch.lvwInventory().Text(2)});
        actions[2]->trigger();
        EXPECT_EQ(CheckedCodes(batch).size(), 4u);
        actions[1]->trigger();
        EXPECT_EQ(CheckedCodes(batch).size(), 3u);
        actions[3]->trigger();
        EXPECT_TRUE(CheckedCodes(batch).empty());
        batch.close();
    });
}

TEST_F(BatchAddTest, TheCodeColumnIsWideEnoughForTheLongestCode) {
    database.AddInventory("0101001000123456789", "长编码", {{"cInvCCode", "AABB"}});
    OpenMain();
    WithBatchAdd([](FrmBatchAdd& batch) {
        batch.ExecuteCommand("ShowDetail");
        QTreeView& view = batch.lvwInventory().View();
        int longest = 0;
        for (int index = 1; index <= batch.lvwInventory().Count(); ++index) {
            if (batch.lvwInventory().Text(index) == "0101001000123456789") {
                longest = index;
            }
        }
        ASSERT_GT(longest, 0);
        QStyleOptionViewItem option;
        option.initFrom(&view);
        const QModelIndex code = view.model()->index(longest - 1, 0);
        EXPECT_GE(view.columnWidth(0),
                  view.itemDelegateForIndex(code)->sizeHint(option, code).width());
    });
}

// Leaving with ticks not yet saved asks first; No keeps the window and its ticks.
TEST_F(BatchAddTest, EscWithUnsavedTicksAsksBeforeDroppingThem) {
    OpenMain();
    std::vector<bool> stillOpen;
    WithBatchAdd([&](FrmBatchAdd& batch) {
        QTest::keyClick(&batch, Qt::Key_Escape);
        stillOpen.push_back(batch.isVisible());  // nothing ticked: no question
    });
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(stillOpen, std::vector<bool>{false});

    stillOpen.clear();
    WithBatchAdd([&](FrmBatchAdd& batch) {
        Tick(batch, "rAA");
        batch.ExecuteCommand("ShowDetail");
        CheckAllItems(batch);
        database.Dialogs().QueueAnswer(zel::kAnswerNo);
        QTest::keyClick(&batch, Qt::Key_Escape);
        stillOpen.push_back(batch.isVisible());
        EXPECT_EQ(CheckedCodes(batch).size(), 3u);
        database.Dialogs().QueueAnswer(zel::kAnswerNo);
        batch.ExecuteCommand("Exit");
        stillOpen.push_back(batch.isVisible());
        database.Dialogs().QueueAnswer(zel::kAnswerYes);
        QTest::keyClick(&batch, Qt::Key_Escape);
        stillOpen.push_back(batch.isVisible());
    });
    EXPECT_EQ(stillOpen, (std::vector<bool>{true, true, false}));
    ASSERT_EQ(MessageTexts().size(), 3u);
    EXPECT_EQ(MessageTexts()[0], context.login.pub->GetResFormatString(
                                     "Zel.AA.WHINVCONTRAPOSE.FRMBATCHADD.dropticks", {"3"}));
    EXPECT_TRUE(StoredCodes("01").empty());
}

TEST_F(BatchAddTest, ClosingAfterTheTicksWereSavedAsksNothing) {
    OpenMain();
    WithBatchAdd([&](FrmBatchAdd& batch) {
        Tick(batch, "rAABB");
        batch.ExecuteCommand("ShowDetail");
        CheckAllItems(batch);
        batch.ExecuteCommand("SaveRs");
        database.Dialogs().Clear();
        QTest::keyClick(&batch, Qt::Key_Escape);
        EXPECT_FALSE(batch.isVisible());
    });
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_EQ(StoredCodes("01"), (std::vector<std::string>{"A001", "A002"}));
}

TEST_F(BatchAddTest, ShowDetailWithoutClassesListsEveryItemWithNothingPreChecked) {
    OpenMain();
    WithBatchAdd([](FrmBatchAdd& batch) {
        batch.ExecuteCommand("ShowDetail");
        // The query has no order: each engine lists the items as it reads them.
        std::vector<std::string> listed = ListedCodes(batch);
        const auto first = std::find(listed.begin(), listed.end(), "A001") - listed.begin() + 1;
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, (std::vector<std::string>{"A001", "A002", "A003", "B001"}));
        EXPECT_TRUE(CheckedCodes(batch).empty());
        EXPECT_EQ(batch.lvwInventory().ColumnHeaderCount(), 7);
        EXPECT_EQ(batch.lvwInventory().ColumnHeaderText(1), "存货编码");
        EXPECT_EQ(batch.lvwInventory().ColumnHeaderKey(7), "Key7");
        EXPECT_EQ(batch.lvwInventory().Key(static_cast<int>(first)), "kA001");
        EXPECT_EQ(batch.lvwInventory().SubItem(static_cast<int>(first), 6), "01");
        EXPECT_EQ(batch.Label1().Caption(), "成功加载了4条数据");
        EXPECT_TRUE(batch.Trv().isEnabled()) << "the window is live again";
    });
}

class BatchAddWithoutConnection : public BatchAddTest {
protected:
    void SetUp() override {
        BatchAddTest::SetUp();
        BindContext();
        db = FailingDb::InPlaceOf(context.login.db);
    }
    std::string LostMessage() const { return FailingDb::LostMessage(*context.login.pub); }

    std::shared_ptr<FailingDb> db;
};

// Told once, as the lost connection it is, not as an account without a coding rule.
TEST_F(BatchAddWithoutConnection, AClassTreeThatCannotBeReadKeepsItsRootAlone) {
    OpenMain();
    db->lostAtStatementWith = "GradeDef";
    database.Dialogs().Clear();
    bool shown = false;
    WithBatchAdd([&](FrmBatchAdd& batch) {
        shown = true;
        EXPECT_EQ(batch.Trv().Nodes().Count(), 1);
    });
    ASSERT_TRUE(shown);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{LostMessage()});
}

// Items missing from the list would be left out of the batch without a word.
TEST_F(BatchAddWithoutConnection, AnItemListThatStopsPartWayIsNotOffered) {
    OpenMain();
    bool shown = false;
    WithBatchAdd([&](FrmBatchAdd& batch) {
        shown = true;
        database.Dialogs().Clear();
        db->rowsBeforeLoss = 1;
        db->cutResultsOf = "from Inventory";
        batch.ExecuteCommand("ShowDetail");
        EXPECT_EQ(batch.lvwInventory().Count(), 0);
        EXPECT_EQ(batch.Label1().Caption(), "");
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{LostMessage()});
        db->Reconnect();
    });
    EXPECT_TRUE(shown);
}

TEST_F(BatchAddTest, ShowDetailOfCheckedClassesPreChecksTheItemsOfTheTargetWarehouse) {
    OpenMain();
    WithBatchAdd([](FrmBatchAdd& batch) {
        Tick(batch, "rAA");
        batch.ExecuteCommand("ShowDetail");
        EXPECT_EQ(ListedCodes(batch), (std::vector<std::string>{"A001", "A002", "A003"}));
        EXPECT_EQ(CheckedCodes(batch), (std::vector<std::string>{"A001", "A003"}));
    });
}

TEST_F(BatchAddTest, ShowsTheTotalOfALongListAndFillsItAgainOnEachShowDetail) {
    for (int i = 1; i <= 250; ++i) {
        database.AddInventory("C" + std::to_string(1000 + i), "批量", {{"cInvCCode", "ZZ01"}});
    }
    OpenMain();
    WithBatchAdd([](FrmBatchAdd& batch) {
        Tick(batch, "rZZ01");
        batch.ExecuteCommand("ShowDetail");
        EXPECT_EQ(batch.lvwInventory().Count(), 250);
        EXPECT_EQ(batch.Label1().Caption(), "成功加载了250条数据");
        batch.ExecuteCommand("ShowDetail");
        EXPECT_EQ(batch.lvwInventory().Count(), 250);
        EXPECT_FALSE(batch.Progress().isVisible());
    });
}

TEST_F(BatchAddTest, SavesTheCheckedItemsWithTheirOwnSettingsAndRefreshesTheMainGrid) {
    OpenMain();
    WithBatchAdd([](FrmBatchAdd& batch) {
        Tick(batch, "rAA");
        batch.ExecuteCommand("ShowDetail");
        batch.ExecuteCommand("SaveRs");
        EXPECT_EQ(batch.Label1().Caption(), "成功添加了2条数据");
    });
    EXPECT_EQ(StoredCodes("01"), (std::vector<std::string>{"A001", "A003"}));
    EXPECT_EQ(
        database.Scalar("select iTopSum from WhInvContrapose where cInvCode='A001'").ToDouble(),
        500.0);
    EXPECT_EQ(database.Scalar("select cFrequency from WhInvContrapose where cInvCode='A003'"),
              zel::Variant("周"));
    EXPECT_EQ(window->Grid().Rows(), 3) << "header and two rows read again";
    EXPECT_TRUE(questions.empty());
}

struct DuplicateCase {
    QMessageBox::StandardButton answer;
    std::vector<std::string> stored;
    const char* label;
};

TEST_F(BatchAddTest, AsksAboutADuplicateAndGoesOnOrStopsByTheAnswer) {
    const DuplicateCase cases[] = {
        {QMessageBox::Yes, {"A001", "A002", "A003"}, "成功添加了2条数据"},
        {QMessageBox::No, {"A001", "A002"}, "成功添加了1条数据"},
    };
    OpenMain();
    for (const DuplicateCase& c : cases) {
        database.Execute("delete from WhInvContrapose");
        database.AddCorrespondence("01", "A002");
        questions.clear();
        std::string label;
        WithBatchAdd([&](FrmBatchAdd& batch) {
            Tick(batch, "rAA");
            batch.ExecuteCommand("ShowDetail");
            CheckAllItems(batch);
            AnswerDuplicate(c.answer);
            batch.ExecuteCommand("SaveRs");
            label = batch.Label1().Caption();
        });
        EXPECT_EQ(StoredCodes("01"), c.stored);
        EXPECT_EQ(label, c.label);
        EXPECT_EQ(
            questions,
            (std::vector<std::string>{"存货编号为A002的仓库存货对照已经存在！继续批量添加吗？"}));
    }
}

TEST_F(BatchAddTest, TheSameAnswerForTheRestAsksOnceAndAnUntickedBoxAsksEachTime) {
    for (const char* code : {"A001", "A002"}) {
        database.AddCorrespondence("01", code);
    }
    OpenMain();
    for (const bool forTheRest : {true, false}) {
        const int shownBefore = database.Dialogs().ModalCount();
        WithBatchAdd([&](FrmBatchAdd& batch) {
            Tick(batch, "rAA");
            batch.ExecuteCommand("ShowDetail");
            CheckAllItems(batch);
            AnswerDuplicate(QMessageBox::Yes, forTheRest);
            if (!forTheRest) {
                AnswerDuplicate(QMessageBox::Yes);
            }
            batch.ExecuteCommand("SaveRs");
        });
        // The batch-add window and the questions.
        EXPECT_EQ(database.Dialogs().ModalCount() - shownBefore, forTheRest ? 2 : 3);
        EXPECT_EQ(StoredCodes("01"), (std::vector<std::string>{"A001", "A002", "A003"}));
        database.Execute("delete from WhInvContrapose where cInvCode='A003'");
    }
}

TEST_F(BatchAddTest, TheRootSelectedStoresNothingAndSaysToPickAWarehouse) {
    OpenMain("r");
    WithBatchAdd([](FrmBatchAdd& batch) {
        batch.ExecuteCommand("ShowDetail");
        CheckAllItems(batch);
        batch.ExecuteCommand("SaveRs");
    });
    EXPECT_EQ(database.Scalar("select count(*) from WhInvContrapose").ToDouble(), 0.0);
    ASSERT_FALSE(MessageTexts().empty());
    EXPECT_EQ(MessageTexts().back(), "请点击具体的仓库名称！");
}

TEST_F(BatchAddTest, CodesWithAnApostropheAndAnAmpersandArriveIntact) {
    database.AddInventory("O'B&1", "特殊", {{"cInvCCode", "AABB"}, {"cDefWareHouse", "01"}});
    OpenMain();
    WithBatchAdd([](FrmBatchAdd& batch) {
        Tick(batch, "rAABB");
        batch.ExecuteCommand("ShowDetail");
        EXPECT_EQ(CheckedCodes(batch), (std::vector<std::string>{"A001", "O'B&1"}));
        batch.ExecuteCommand("SaveRs");
    });
    EXPECT_EQ(StoredCodes("01"), (std::vector<std::string>{"A001", "O'B&1"}));
}

TEST_F(BatchAddTest, F6SavesOnlyWhileSaveIsLiveAndCtrlF3LocatesInTheList) {
    OpenMain();
    WithBatchAdd([this](FrmBatchAdd& batch) {
        database.Dialogs().QueueModal([](QDialog& dialog) {
            auto& locate = static_cast<zel::LocateDialog&>(dialog);
            locate.TextBox().setText("a003");
            locate.FindNextButton().click();
            return 0;
        });
        Tick(batch, "rAA");
        batch.ExecuteCommand("ShowDetail");
        batch.Tlb().Buttons("SaveRs")->SetEnabled(false);
        QTest::keyClick(&batch.lvwInventory().View(), Qt::Key_F6);
        EXPECT_EQ(batch.Label1().Caption(), "成功加载了3条数据") << "nothing saved";
        QTest::keyClick(&batch.lvwInventory().View(), Qt::Key_F3);
        EXPECT_EQ(batch.lvwInventory().SelectedIndex(), 0) << "plain F3 does nothing";
        QTest::keyClick(&batch.lvwInventory().View(), Qt::Key_F3, Qt::ControlModifier);
        EXPECT_EQ(batch.lvwInventory().SelectedIndex(), 3);
        batch.Tlb().Buttons("SaveRs")->SetEnabled(true);
        QTest::keyClick(&batch.lvwInventory().View(), Qt::Key_F6);
        EXPECT_EQ(batch.Label1().Caption(), "成功添加了2条数据");
    });
}

TEST_F(BatchAddTest, SaveWithOnlyTheRootSaysThereAreNoClasses) {
    database.Execute("delete from InventoryClass");
    OpenMain();
    WithBatchAdd([](FrmBatchAdd& batch) {
        batch.ExecuteCommand("ShowDetail");
        CheckAllItems(batch);
        batch.ExecuteCommand("SaveRs");
    });
    EXPECT_EQ(database.Scalar("select count(*) from WhInvContrapose").ToDouble(), 0.0);
    EXPECT_EQ(MessageTexts().back(), "没有分类信息！");
}

// A save that an error cuts short must leave the window as a finished one does: live, without
// the hourglass, and free to close.
TEST_F(BatchAddTest, AnErrorThrownInTheMiddleOfASaveLeavesTheWindowFreeToClose) {
    // The question about this duplicate throws.
    database.AddCorrespondence("01", "A002");
    RecordHostCalls().failing = {"MsgBoxWithCheck"};
    OpenMain();
    bool closed = false;
    WithBatchAdd([&](FrmBatchAdd& batch) {
        Tick(batch, "rAA");
        batch.ExecuteCommand("ShowDetail");
        CheckAllItems(batch);
        batch.ExecuteCommand("SaveRs");
        EXPECT_FALSE(batch.Busy());
        for (QWidget* part :
             std::initializer_list<QWidget*>{&batch.TLB2(), &batch.Trv(), &batch.FrameInv()}) {
            EXPECT_TRUE(part->isEnabled()) << part->objectName().toStdString();
        }
        EXPECT_EQ(batch.lvwInventory().MousePointer(), zel::kPointerDefault);
        closed = batch.close();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(StoredCodes("01"), (std::vector<std::string>{"A001", "A002"})) << "stopped there";
    EXPECT_EQ(MessageTexts().back(), "无法读取或保存数据，数据库没有给出原因！");
}

TEST_F(BatchAddTest, TheBarIsStyledByTheHostWithItsSeparatorsKeyed) {
    RecordingPub& host = RecordHostCalls();
    OpenMain();
    WithBatchAdd([&](FrmBatchAdd& batch) {
        EXPECT_EQ(batch.Tlb().Button(3)->Key(), "btnSep1");
        EXPECT_EQ(batch.Tlb().Button(7)->Key(), "btnSep2");
        EXPECT_NE(
            std::find(host.calls.begin(), host.calls.end(), "SetYsTlbStyle FrmBatchAdd False"),
            host.calls.end());
    });
}

}  // namespace
}  // namespace korvel::test
