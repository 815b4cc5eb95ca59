#include "host/refer/refer_client.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "host/database/register_database_service.h"
#include "host/database/sql_backend.h"
#include "host/login/login.h"
#include "host/refer/register_refer_client.h"
#include "support/test_database.h"

namespace zel {
namespace {

Login::Values LoginOn(const std::string& account) {
    Login::Values values;
    values.ysDBName = account;
    return values;
}

class ReferClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterDatabaseService(registry, db.Environment());
        RegisterReferClient(registry, db.Environment());
        db.AddInventory("A001", "螺钉", {{"cInvStd", "M6"}, {"iTopSum", 12.5}, {"iDays", 3}});
        db.AddInventory("A002", "螺母");
        db.AddInventory("B001", "垫圈", {{"cInvCCode", "02"}});
    }
    std::shared_ptr<IReferClient> Picker() {
        auto picker = CreateObjectAs<IReferClient>(registry, "ysreferc.YSREFERCLIENT");
        EXPECT_NE(picker, nullptr);
        return picker;
    }
    // StrRefInit as the editor calls it.
    bool Init(IReferClient& picker, std::string type = "Inventory", bool multiSelect = false) {
        return picker.StrRefInit(login, multiSelect, classQuery, itemQuery, "", type);
    }
    void Answer(std::function<int(QDialog&)> script) { db.Dialogs().QueueModal(std::move(script)); }
    static QTableView& Items(QDialog& window) { return *window.findChild<QTableView*>("items"); }

    test::TestDatabase db;
    ObjectRegistry registry;
    std::shared_ptr<ILogin> login = std::make_shared<Login>(LoginOn(test::TestDatabase::kAccount));
    std::string classQuery = "select * from InventoryClass Order by cInvCCode ASC";
    std::string itemQuery = "select * from Inventory where  (1=1) and (1=1) order by cInvCode";
};

TEST_F(ReferClientTest, ShowsNothingWhenTheItemQueryFails) {
    auto picker = Picker();
    itemQuery = "select * from NoSuchTable";
    EXPECT_FALSE(Init(*picker));
    picker->Show();
    EXPECT_EQ(db.Dialogs().ModalCount(), 0);
    EXPECT_EQ(picker->recmx(), nullptr);
}

TEST_F(ReferClientTest, ShowsNothingWhenTheClassQueryFails) {
    auto picker = Picker();
    classQuery = "select * from NoSuchClasses";
    EXPECT_FALSE(Init(*picker));
    picker->Show();
    EXPECT_EQ(db.Dialogs().ModalCount(), 0);
}

TEST_F(ReferClientTest, ShowsNothingWithoutALoginOrAConnection) {
    auto picker = Picker();
    std::shared_ptr<ILogin> none;
    std::string type = "Inventory";
    EXPECT_FALSE(picker->StrRefInit(none, false, classQuery, itemQuery, "", type));
    login = std::make_shared<Login>(LoginOn("nosuchaccount"));
    EXPECT_FALSE(Init(*picker));
    picker->Show();
    EXPECT_EQ(db.Dialogs().ModalCount(), 0);
}

TEST_F(ReferClientTest, ShowsNothingWithoutADatabaseService) {
    registry.Unregister("ZelSrvTrans.IClsCommon");
    auto picker = Picker();
    EXPECT_FALSE(Init(*picker));
}

TEST_F(ReferClientTest, AFailedInitForgetsAnEarlierOne) {
    auto picker = Picker();
    ASSERT_TRUE(Init(*picker));
    itemQuery = "select nonsense";
    EXPECT_FALSE(Init(*picker));
    picker->Show();
    EXPECT_EQ(db.Dialogs().ModalCount(), 0);
}

TEST_F(ReferClientTest, GivesTheRowAScriptChoseWithEveryColumnAndItsType) {
    auto picker = Picker();
    ASSERT_TRUE(Init(*picker));
    Answer([](QDialog& window) {
        Items(window).setCurrentIndex(Items(window).model()->index(0, 0));
        window.accept();
        return 0;  // the window's own result counts
    });
    picker->Show();
    EXPECT_EQ(db.Dialogs().ModalCount(), 1);
    auto chosen = picker->recmx();
    ASSERT_NE(chosen, nullptr);
    ASSERT_EQ(chosen->RecordCount(), 1);
    const auto inventory = db.OpenBackend()->Prepare("select * from Inventory where 1=0");
    EXPECT_EQ(chosen->FieldCount(), inventory->ColumnCount());
    EXPECT_EQ(chosen->Fields("cInvCode"), Variant("A001"));
    EXPECT_EQ(chosen->Fields("cInvName"), Variant("螺钉"));
    EXPECT_EQ(chosen->Fields("cInvStd"), Variant("M6"));
    EXPECT_EQ(chosen->Fields("iTopSum"), Variant(12.5));
    EXPECT_TRUE(chosen->Fields("iDays")->IsInteger());
    EXPECT_TRUE(chosen->Fields("iId")->IsInteger());
    EXPECT_TRUE(chosen->Fields("dLastDate")->IsNull());
}

TEST_F(ReferClientTest, GivesTheCurrentRowWhenTheScriptPicksAnother) {
    auto picker = Picker();
    ASSERT_TRUE(Init(*picker));
    Answer([](QDialog& window) {
        Items(window).setCurrentIndex(Items(window).model()->index(2, 1));
        window.accept();
        return window.result();
    });
    picker->Show();
    ASSERT_NE(picker->recmx(), nullptr);
    EXPECT_EQ(picker->recmx()->Fields("cInvCode"), Variant("B001"));
}

TEST_F(ReferClientTest, EnterInTheFilterBoxTakesTheFirstMatch) {
    auto picker = Picker();
    ASSERT_TRUE(Init(*picker));
    Answer([](QDialog& window) {
        auto* filter = window.findChild<QLineEdit*>("filter");
        filter->setText("母");
        QTest::keyClick(filter, Qt::Key_Return);
        return window.result();
    });
    picker->Show();
    ASSERT_NE(picker->recmx(), nullptr);
    EXPECT_EQ(picker->recmx()->Fields("cInvCode"), Variant("A002"));
}

TEST_F(ReferClientTest, DoubleClickTakesTheRowClicked) {
    auto picker = Picker();
    std::string type = "warehouse";
    db.AddWarehouse("01", "成品库");
    db.AddWarehouse("02", "原料库");
    itemQuery = "select * from Warehouse order by cWhCode";
    ASSERT_TRUE(picker->StrRefInit(login, false, classQuery, itemQuery, "", type));
    Answer([](QDialog& window) {
        QTableView& items = Items(window);
        const QRect cell = items.visualRect(items.model()->index(1, 1));
        // A widget is sent the double click alone; the view wants the press before it.
        QTest::mousePress(items.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(items.viewport(), Qt::LeftButton, {}, cell.center());
        return window.result();
    });
    picker->Show();
    ASSERT_NE(picker->recmx(), nullptr);
    EXPECT_EQ(picker->recmx()->Fields("cWhName"), Variant("原料库"));
}

TEST_F(ReferClientTest, HeadsTheColumnsWithTheHostsCaptionsAndNamesOnlyWhatNoneKnows) {
    ASSERT_TRUE(
        db.Execute("insert into aa_columndic (ckey, cfldname, ccaption) values "
                   "('Warehouse', 'cWhPerson', '仓库主管')"));
    db.AddWarehouse("01", "成品库");
    std::string type = "warehouse";
    itemQuery = "select cWhName, cWhCode, cWhAddress, cWhPerson, cWhCode as cFree1 from Warehouse";
    auto picker = Picker();
    ASSERT_TRUE(picker->StrRefInit(login, false, classQuery, itemQuery, "", type));
    QStringList headers;
    Answer([&headers](QDialog& window) {
        const QAbstractItemModel& model = *Items(window).model();
        for (int column = 0; column < model.columnCount(); ++column) {
            headers << model.headerData(column, Qt::Horizontal).toString();
        }
        return QDialog::Rejected;
    });
    picker->Show();
    // A server folds a name written without quotes, such as this alias, to lower case.
    const QString free = db.OnServer() ? "cfree1" : "cFree1";
    EXPECT_EQ(headers, QStringList({"仓库编码", "仓库名称", "仓库地址", "仓库主管", free}));
}

TEST_F(ReferClientTest, CancelGivesNothing) {
    auto picker = Picker();
    ASSERT_TRUE(Init(*picker));
    Answer([](QDialog& window) {
        window.reject();
        return window.result();
    });
    picker->Show();
    EXPECT_EQ(picker->recmx(), nullptr);

    Answer([](QDialog& window) {
        QTest::keyClick(window.findChild<QLineEdit*>("filter"), Qt::Key_Escape);
        return window.result();
    });
    picker->Show();
    EXPECT_EQ(picker->recmx(), nullptr);

    picker->Show();  // closed at once, as a window closed by its frame
    EXPECT_EQ(picker->recmx(), nullptr);
    EXPECT_EQ(db.Dialogs().ModalCount(), 3);
}

TEST_F(ReferClientTest, AcceptingWithNothingListedGivesNothing) {
    auto picker = Picker();
    ASSERT_TRUE(Init(*picker));
    Answer([](QDialog& window) {
        window.findChild<QLineEdit*>("filter")->setText("no such item");
        window.accept();
        return window.result();
    });
    picker->Show();
    EXPECT_EQ(picker->recmx(), nullptr);
}

TEST_F(ReferClientTest, ACancelledSecondShowForgetsTheFirstChoice) {
    auto picker = Picker();
    ASSERT_TRUE(Init(*picker));
    Answer([](QDialog& window) {
        window.accept();
        return window.result();
    });
    picker->Show();
    ASSERT_NE(picker->recmx(), nullptr);
    picker->Show();
    EXPECT_EQ(picker->recmx(), nullptr);
}

TEST_F(ReferClientTest, GivesEverySelectedRowOfAMultipleChoice) {
    auto picker = Picker();
    ASSERT_TRUE(Init(*picker, "Inventory", true));
    Answer([](QDialog& window) {
        Items(window).selectAll();
        window.accept();
        return window.result();
    });
    picker->Show();
    ASSERT_NE(picker->recmx(), nullptr);
    EXPECT_EQ(picker->recmx()->RecordCount(), 3);
}

}  // namespace
}  // namespace zel
