#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <functional>
#include <string>
#include <vector>

#include "host/controls/flex_grid.h"
#include "host/controls/pop_menu.h"
#include "host/controls/twips.h"
#include "host/objects/object_registry.h"
#include "host/pub/locate_dialog.h"
#include "host/pub/pub_service.h"
#include "host/pub/sort_menu_key.h"
#include "support/scripted_dialogs.h"

namespace zel {
namespace {

using Texts = std::vector<std::string>;

constexpr short kLeft = 1;
constexpr short kRight = 2;
constexpr int kCode = 1;
constexpr int kName = 2;
constexpr int kTopSum = 3;

// A list window as the component builds it: the grid and the hidden pop-up menu control, the
// menu's choices handed back to GridSortNew.
class PubServiceGridTest : public ::testing::Test {
protected:
    PubServiceGridTest() {
        environment_->dialogs = dialogs_;
        grid_->SetCols(4);
        grid_->SetColField(kCode, {"cInvCode", "Inventory.cInvCode"});
        grid_->SetColField(kName, {"cInvName", "Inventory.cInvName"});
        grid_->SetColField(kTopSum, {"iTopSum", "WhInvContrapose.iTopSum"});
        const std::vector<Texts> rows = {{"序号", "存货编码", "存货名称", "最高库存"},
                                         {"1", "A01", "Steel plate", "10"},
                                         {"2", "A02", "钢板 Q235", "9"},
                                         {"3", "A03", "bolt M8", "100"},
                                         {"4", "A04", "STEEL bar", ""}};
        grid_->SetRows(static_cast<int>(rows.size()));
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (std::size_t c = 0; c < rows[r].size(); ++c) {
                grid_->SetTextMatrix(static_cast<int>(r), static_cast<int>(c), rows[r][c]);
            }
        }
        QObject::connect(menu_, &PopMenu::ItemClick, [this](const std::string& key) {
            pub_.GridSortNew(window_, *grid_, key);
        });
        window_.resize(500, 300);
        grid_->resize(500, 300);
        window_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }

    ~PubServiceGridTest() override { menu_->Menu().hide(); }

    // The grid's own pixels of a point in a column's cells.
    QPoint InColumn(int col) const {
        QTableView& view = grid_->View();
        const int x = view.columnViewportPosition(col) + view.columnWidth(col) / 2;
        return view.viewport()->mapTo(grid_, QPoint(x, 5));
    }

    void ReleaseAt(short button, QPoint pixels) {
        const Twips twips = Twips::ForScreen(grid_->screen());
        pub_.ShowPopupMenu(window_, *grid_, button, 0,
                           static_cast<float>(twips.FromPixelsX(pixels.x())),
                           static_cast<float>(twips.FromPixelsY(pixels.y())));
    }

    Texts Captions() const {
        Texts captions;
        for (const QAction* action : menu_->Menu().actions()) {
            captions.push_back(action->text().toStdString());
        }
        return captions;
    }

    // Runs the locate dialog with a script; the script gets the dialog as the user sees it.
    void Locate(const std::function<void(LocateDialog&)>& script) {
        dialogs_->QueueModal([script](QDialog& dialog) {
            auto* locate = qobject_cast<LocateDialog*>(&dialog);
            EXPECT_NE(locate, nullptr);
            if (locate) {
                script(*locate);
            }
            return 0;
        });
        pub_.FindPos(window_, *grid_);
    }

    Texts Column(int col) const {
        Texts texts;
        for (int row = 1; row < grid_->Rows(); ++row) {
            texts.push_back(grid_->TextMatrix(row, col));
        }
        return texts;
    }

    std::shared_ptr<test::ScriptedDialogs> dialogs_ = std::make_shared<test::ScriptedDialogs>();
    std::shared_ptr<HostEnvironment> environment_ = std::make_shared<HostEnvironment>();
    ObjectRegistry registry_;
    PubService pub_{environment_, registry_};
    QWidget window_;
    FlexGrid* grid_ = new FlexGrid(&window_);
    PopMenu* menu_ = new PopMenu(&window_);
};

TEST_F(PubServiceGridTest, RightButtonOverAColumnOffersItsTwoSorts) {
    ReleaseAt(kRight, InColumn(kTopSum));
    EXPECT_TRUE(menu_->Menu().isVisible());
    EXPECT_EQ(Captions(), (Texts{"升序", "降序"}));
}

TEST_F(PubServiceGridTest, ChoosingASortOfThePopUpSortsTheColumnUnderTheMouse) {
    ReleaseAt(kRight, InColumn(kTopSum));
    menu_->Menu().actions().at(1)->trigger();
    EXPECT_EQ(Column(kTopSum), (Texts{"100", "10", "9", ""}));
    EXPECT_EQ(Column(0), (Texts{"1", "2", "3", "4"}));

    ReleaseAt(kRight, InColumn(0));
    menu_->Menu().actions().at(1)->trigger();
    EXPECT_EQ(Column(0), (Texts{"1", "2", "3", "4"}));
    EXPECT_EQ(Column(kCode), (Texts{"A04", "A02", "A01", "A03"}));
}

TEST_F(PubServiceGridTest, AReleasedRightButtonOnTheGridShowsThePopUp) {
    QObject::connect(grid_, &FlexGrid::MouseUp,
                     [this](short button, short shift, float x, float y) {
                         pub_.ShowPopupMenu(window_, *grid_, button, shift, x, y);
                     });
    const QPoint at = grid_->View().viewport()->mapFrom(grid_, InColumn(kName));
    QTest::mouseClick(grid_->View().viewport(), Qt::RightButton, Qt::NoModifier, at);
    ASSERT_EQ(menu_->Menu().actions().size(), 2);
    menu_->Menu().actions().at(0)->trigger();
    EXPECT_EQ(Column(kName), (Texts{"bolt M8", "STEEL bar", "Steel plate", "钢板 Q235"}));
}

TEST_F(PubServiceGridTest, OtherButtonsAndPlacesOutsideTheColumnsShowNothing) {
    ReleaseAt(kLeft, InColumn(kTopSum));
    EXPECT_FALSE(menu_->Menu().isVisible());
    ReleaseAt(4, InColumn(kTopSum));
    EXPECT_FALSE(menu_->Menu().isVisible());
    const QTableView& view = grid_->View();
    const int pastLast = view.columnViewportPosition(kTopSum) + view.columnWidth(kTopSum) + 5;
    ASSERT_LT(pastLast, view.viewport()->width());
    ReleaseAt(kRight, view.viewport()->mapTo(grid_, QPoint(pastLast, 5)));
    EXPECT_FALSE(menu_->Menu().isVisible());
    EXPECT_TRUE(menu_->Menu().actions().isEmpty());
}

TEST_F(PubServiceGridTest, TheColumnUnderTheMouseFollowsTheHorizontalScroll) {
    for (int col = 0; col < grid_->Cols(); ++col) {
        grid_->SetColWidth(col, Twips::ForScreen(grid_->screen()).FromPixelsX(300));
    }
    QCoreApplication::processEvents();  // the scroll range follows the widths on the next layout
    QScrollBar& scroll = *grid_->View().horizontalScrollBar();
    scroll.setValue(scroll.maximum());
    const QPoint leftEdge = grid_->View().viewport()->mapTo(grid_, QPoint(3, 5));
    const int shown = grid_->View().columnAt(3);
    ASSERT_GT(shown, 0);
    ReleaseAt(kRight, leftEdge);
    ASSERT_FALSE(menu_->Menu().actions().isEmpty());
    EXPECT_EQ(menu_->Menu().actions().at(0)->data().toString().toStdString(),
              (SortMenuKey{shown, Qt::AscendingOrder}.Text()));
}

TEST_F(PubServiceGridTest, AVerticalHeaderIsNoColumnAndPushesTheColumnsRight) {
    grid_->View().verticalHeader()->show();
    QCoreApplication::processEvents();
    const QTableView& view = grid_->View();
    const int headerWidth = view.verticalHeader()->width();
    ASSERT_GT(headerWidth, 4);
    ReleaseAt(kRight, view.viewport()->mapTo(grid_, QPoint(-headerWidth / 2, 5)));
    EXPECT_TRUE(menu_->Menu().actions().isEmpty());
    ReleaseAt(kRight, view.viewport()->mapTo(grid_, QPoint(2, 5)));
    ASSERT_FALSE(menu_->Menu().actions().isEmpty());
    EXPECT_EQ(menu_->Menu().actions().at(0)->data().toString().toStdString(),
              (SortMenuKey{0, Qt::AscendingOrder}.Text()));
}

TEST_F(PubServiceGridTest, GridSortSortsTheCurrentColumnOneAscendingTwoDescending) {
    grid_->SetRow(2);  // A02
    grid_->SetCol(kTopSum);
    pub_.GridSort(window_, *grid_, 2);
    EXPECT_EQ(Column(kCode), (Texts{"A03", "A01", "A02", "A04"}));
    EXPECT_EQ(grid_->TextMatrix(grid_->Row(), kCode), "A02");
    pub_.GridSort(window_, *grid_, 1);
    EXPECT_EQ(Column(kCode), (Texts{"A04", "A02", "A01", "A03"}));
    pub_.GridSort(window_, *grid_, 3);
    EXPECT_EQ(Column(kCode), (Texts{"A04", "A02", "A01", "A03"}));
}

TEST_F(PubServiceGridTest, GridSortNewIgnoresKeysThePopUpDidNotWrite) {
    pub_.GridSortNew(window_, *grid_, "Sort.9.Asc");
    pub_.GridSortNew(window_, *grid_, "mAsc");
    EXPECT_EQ(Column(kCode), (Texts{"A01", "A02", "A03", "A04"}));
}

TEST_F(PubServiceGridTest, F1InTheLocateDialogOpensItsSectionOfTheGuide) {
    std::string section;
    Locate([&](LocateDialog& dialog) {
        QTest::keyClick(&dialog, Qt::Key_F1);
        if (const auto* guide = dialog.findChild<QTextBrowser*>("HelpViewer")) {
            section = guide->source().fragment().toStdString();
        }
    });
    EXPECT_EQ(section, "locate");
}

TEST_F(PubServiceGridTest, LocateOffersTheColumnCaptionsWithTheCurrentColumnChosen) {
    grid_->SetCol(kName);
    Locate([](LocateDialog& dialog) {
        ASSERT_EQ(dialog.FieldBox().count(), 4);
        EXPECT_EQ(dialog.FieldBox().itemText(kCode).toStdString(), "存货编码");
        EXPECT_EQ(dialog.FieldBox().currentData().toInt(), kName);
        EXPECT_FALSE(dialog.FindNextButton().isEnabled());
        dialog.TextBox().setText("x");
        EXPECT_TRUE(dialog.FindNextButton().isEnabled());
        EXPECT_EQ(dialog.windowTitle().toStdString(), "定位");
    });
    EXPECT_EQ(dialogs_->ModalCount(), 1);
}

TEST_F(PubServiceGridTest, FindNextMovesTheCurrentRowAndWrapsWhileTheDialogStaysOpen) {
    grid_->SetSelectionMode(FlexGrid::kSelectionByRow);
    grid_->SetRow(2);
    std::vector<int> rows;
    Locate([&](LocateDialog& dialog) {
        dialog.FieldBox().setCurrentIndex(dialog.FieldBox().findData(kName));
        dialog.TextBox().setText("steel");
        for (int i = 0; i < 3; ++i) {
            dialog.FindNextButton().click();
            rows.push_back(grid_->Row());
            EXPECT_EQ(grid_->RowSel(), grid_->Row());
            EXPECT_TRUE(dialog.isVisible());
        }
        EXPECT_EQ(grid_->View().selectionModel()->selectedIndexes().size(), grid_->Cols());
    });
    EXPECT_EQ(rows, (std::vector<int>{4, 1, 4}));
    EXPECT_TRUE(dialogs_->Messages().empty());
}

TEST_F(PubServiceGridTest, FindNextMatchesChineseTextsFromTheRowAfterTheCurrentOne) {
    grid_->SetRow(3);
    Locate([](LocateDialog& dialog) {
        dialog.FieldBox().setCurrentIndex(dialog.FieldBox().findData(kName));
        dialog.TextBox().setText("钢板");
        dialog.FindNextButton().click();
    });
    EXPECT_EQ(grid_->Row(), 2);
}

TEST_F(PubServiceGridTest, NothingFoundIsSaidInAMessageAndTheRowStays) {
    grid_->SetRow(2);
    Locate([](LocateDialog& dialog) {
        dialog.FieldBox().setCurrentIndex(dialog.FieldBox().findData(kCode));
        dialog.TextBox().setText("steel");
        dialog.FindNextButton().click();
        dialog.CloseButton().click();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(grid_->Row(), 2);
    ASSERT_EQ(dialogs_->Messages().size(), 1U);
    EXPECT_EQ(dialogs_->Messages()[0].text,
              pub_.GetResFormatString("Zel.HOST.LOCATE.not_found", {"steel"}));
    EXPECT_NE(dialogs_->Messages()[0].text.find("steel"), std::string::npos);
}

}  // namespace
}  // namespace zel
