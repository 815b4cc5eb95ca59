#include "setaside/frm_set_aside.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>

#include "component/support/main_window_fixture.h"
#include "editor/frm_add_inv.h"
#include "setaside/set_aside_command.h"

namespace korvel {
namespace {

// Rows an upgrade set aside, laid down by hand as the upgrade leaves them: the side table with the
// row's columns (untyped on a file, so that each value keeps what it was; text on a server), the
// reason, the time and the version, and the notice of how many the user was not yet told of.
class SetAsideTest : public test::MainWindowTest {
protected:
    void SetUp() override {
        database.AddWarehouse("01", "成品库");
        database.AddInventory("C001", "钉");
        database.AddInventory("C002", "铆");
        database.AddCorrespondence("01", "C002", {{"iTopSum", 7}});
    }

    void SetRowsAside() {
        const std::string type = database.OnServer() ? " text" : "";
        std::string columns;
        for (const char* column :
             {"cWhCode", "cInvCode", "iTopSum", "iLowSum", "cFrequency", "iFrequency", "dLastDate",
              "cSetAsideReason", "dSetAside", "iSetAsideFrom"}) {
            columns += (columns.empty() ? "" : ", ") + std::string(column) + type;
        }
        ASSERT_TRUE(database.Execute("create table WhInvContrapose_set_aside (" + columns + ")"));
        ASSERT_TRUE(database.Execute(
            "insert into WhInvContrapose_set_aside values "
            "('01', 'C001', 'abc', '2', '月', '1', '2024-02-30', 'not_a_number', "
            "'2024-03-01 08:00:00', '0'), "
            "('09', 'C002', '5', null, null, null, '2024-01-05', 'missing_reference', "
            "'2024-03-01 08:00:00', '0'), "
            "('01', 'C002', '8', null, null, null, null, 'duplicate_key', "
            "'2024-03-01 08:00:00', '0')"));
        ASSERT_TRUE(database.Execute(
            "create table whinv_set_aside_notice (iOne integer primary key check (iOne = 1), "
            "iRows integer not null)"));
        ASSERT_TRUE(database.Execute("insert into whinv_set_aside_notice values (1, 4)"));
    }

    static MainWindowCommands Commands() {
        MainWindowCommands commands;
        commands.setAside = SetAsideCommand();
        return commands;
    }

    bool Offered() const { return window->Menus().findChild<QAction*>("mSetAside")->isVisible(); }

    long SideRows() {
        return std::stol(
            database.Scalar("select count(*) from WhInvContrapose_set_aside").ToString());
    }

    std::string Text(const std::string& key) { return context.login.pub->GetResString(key); }

    // The list as the user opens it from the menu; script runs while it shows.
    void OpenList(std::function<void(FrmSetAside&)> script) {
        database.Dialogs().QueueModal([script](QDialog& shown) {
            // The window reads its list once the events run; the script reads it at once.
            auto& list = dynamic_cast<FrmSetAside&>(shown);
            list.Query();
            script(list);
            return 0;
        });
        window->ExecCommand("SetAside");
    }
};

TEST_F(SetAsideTest, WithoutRowsSetAsideNothingIsToldOrOffered) {
    Open(Commands());
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_FALSE(Offered());
}

// The notice counts the last upgrade's rows of every table, the correspondence rows by reason in
// words; it is given once, whatever the answer.
TEST_F(SetAsideTest, TheUserIsToldOnceHowManyRowsWereSetAsideAndWhy) {
    SetRowsAside();
    Open(Commands());
    ASSERT_EQ(MessageTexts().size(), 1U);
    const std::string told = MessageTexts().front();
    const std::string prefix = "Zel.AA.WHINVCONTRAPOSE.SETASIDE.reason.";
    for (const char* reason : {"not_a_number", "missing_reference", "duplicate_key"}) {
        EXPECT_NE(told.find(Text(prefix + reason) + "：1行"), std::string::npos) << told;
    }
    EXPECT_NE(told.find("4行"), std::string::npos) << told;
    EXPECT_NE(told.find("：1行"), told.rfind("：1行")) << "one line per reason: " << told;
    EXPECT_EQ(database.Scalar("select count(*) from whinv_set_aside_notice").ToString(), "0");
    EXPECT_TRUE(Offered()) << "the rows stay reachable from the menu";
    EXPECT_EQ(database.Dialogs().ModalCount(), 0) << "answered no: no list";

    SetAsideCommand()(*window, /*opening=*/true);
    EXPECT_EQ(MessageTexts().size(), 1U) << "told once";
}

TEST_F(SetAsideTest, AnsweringYesShowsEveryRowWithItsReasonAndValues) {
    SetRowsAside();
    database.Dialogs().QueueAnswer(zel::kAnswerYes);
    std::vector<std::string> first;
    int rows = 0;
    database.Dialogs().QueueModal([&](QDialog& shown) {
        auto& list = dynamic_cast<FrmSetAside&>(shown);
        list.Query();
        rows = list.Grid().Rows() - 1;
        for (int col = 1; col < list.Grid().Cols(); ++col) {
            first.push_back(list.Grid().TextMatrix(1, col));
        }
        return 0;
    });
    Open(Commands());
    EXPECT_EQ(rows, 3);
    ASSERT_GE(first.size(), 5U);
    EXPECT_EQ(first[0], Text("Zel.AA.WHINVCONTRAPOSE.SETASIDE.reason.not_a_number"));
    EXPECT_EQ(first[1], "2024-03-01 08:00:00");
    EXPECT_EQ(first[2], "01");
    EXPECT_EQ(first[3], "C001");
    EXPECT_EQ(first[4], "abc") << "kept as it was";
}

// The editor opens with what still reads, its rules decide, and the row leaves the side table
// once saved.
TEST_F(SetAsideTest, ARowPutBackThroughTheEditorLeavesTheSideTable) {
    SetRowsAside();
    Open(Commands());
    database.Dialogs().Clear();
    std::size_t left = 0;
    OpenList([&](FrmSetAside& list) {
        database.Dialogs().QueueModal([&](QDialog& shown) {
            auto& editor = dynamic_cast<FrmAddInv&>(shown);
            EXPECT_EQ(editor.EditMode(), FrmAddInv::kAdd);
            EXPECT_EQ(editor.EdtcWhCode().Text(), "01");
            EXPECT_EQ(editor.Edtcinvcode().Text(), "C001");
            EXPECT_EQ(editor.EdtiTopSum().Text(), "") << "'abc' does not read as a number";
            EXPECT_EQ(editor.EdtdLastDate().Text(), "") << "30 February is no day";
            editor.EdtiTopSum().SetText("10");
            EXPECT_TRUE(editor.Operating("SaveRs")) << ::testing::PrintToString(MessageTexts());
            return 0;
        });
        list.Grid().SetRow(1);
        list.PutBackCurrentRow();
        left = list.Rows().size();
    });
    EXPECT_EQ(left, 2U);
    EXPECT_EQ(SideRows(), 2);
    EXPECT_EQ(database
                  .Scalar("select count(*) from WhInvContrapose where cWhCode = '01' and "
                          "cInvCode = 'C001' and iTopSum = 10 and iLowSum = 2")
                  .ToString(),
              "1")
        << "the value typed and the one that still read";
    EXPECT_TRUE(Offered());
}

TEST_F(SetAsideTest, ARowTheEditorRefusesStaysAside) {
    SetRowsAside();
    Open(Commands());
    database.Dialogs().Clear();
    std::size_t left = 0;
    OpenList([&](FrmSetAside& list) {
        database.Dialogs().QueueModal([&](QDialog& shown) {
            auto& editor = dynamic_cast<FrmAddInv&>(shown);
            EXPECT_EQ(editor.EdtcWhCode().Text(), "09");
            EXPECT_FALSE(editor.Operating("SaveRs")) << "no warehouse 09";
            return 0;
        });
        list.Grid().SetRow(2);
        list.PutBackCurrentRow();
        left = list.Rows().size();
    });
    EXPECT_EQ(left, 3U);
    EXPECT_EQ(SideRows(), 3);
    EXPECT_FALSE(MessageTexts().empty()) << "the editor said why";
}

TEST_F(SetAsideTest, TheListExportsWithTheMainGridsExport) {
    SetRowsAside();
    Open(Commands());
    const QString path = QString::fromStdString(database.Folder() + "/set_aside.csv");
    OpenList([&](FrmSetAside& list) {
        database.Dialogs().QueueModal([&](QDialog& shown) {
            auto& dialog = dynamic_cast<QFileDialog&>(shown);
            dialog.selectNameFilter(dialog.nameFilters().at(0));
            dialog.selectFile(path);
            return static_cast<int>(QDialog::Accepted);
        });
        list.findChild<QPushButton*>("SaveFileButton")->click();
    });
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(written.contains("abc")) << written.toStdString();
    EXPECT_TRUE(written.contains(
        QString::fromStdString(Text("Zel.AA.WHINVCONTRAPOSE.SETASIDE.reason.missing_reference"))))
        << written.toStdString();
}

// A clerk is told of the rows he may read and put back, by their reasons; the rest, and rows of
// other tables, are not his to see. One who may read none is not told, and the notice stays for
// a user who may.
TEST_F(SetAsideTest, AClerkIsToldOfTheRowsHeMayReadAlone) {
    SetRowsAside();
    ASSERT_TRUE(database.Execute(
        "update aa_rowauth_object set bControlled = 1 where cBusObCode = 'Warehouse'"));
    const auto clerk = database.AddLogin("clerk");
    ASSERT_TRUE(database.Execute("insert into aa_user values ('" + clerk.userId +
                                 "', 'clerk', 0); insert into aa_rowauth values ('" + clerk.userId +
                                 "', 'Warehouse', '01', 'R')"));
    BindContext(clerk);
    Open(Commands());
    ASSERT_EQ(MessageTexts().size(), 1U);
    const std::string told = MessageTexts().front();
    const std::string prefix = "Zel.AA.WHINVCONTRAPOSE.SETASIDE.reason.";
    EXPECT_NE(told.find("2行"), std::string::npos) << told;
    EXPECT_EQ(told.find("4行"), std::string::npos) << told;
    for (const char* reason : {"not_a_number", "duplicate_key"}) {
        EXPECT_NE(told.find(Text(prefix + reason) + "：1行"), std::string::npos) << told;
    }
    EXPECT_EQ(told.find(Text(prefix + "missing_reference")), std::string::npos)
        << "warehouse 09 is not his: " << told;
    EXPECT_EQ(told.find("其他表"), std::string::npos) << told;
    EXPECT_EQ(database.Scalar("select count(*) from whinv_set_aside_notice").ToString(), "0");
    EXPECT_TRUE(Offered());
}

TEST_F(SetAsideTest, AUserWhoMayReadNoneIsNotToldAndLeavesTheNotice) {
    SetRowsAside();
    ASSERT_TRUE(
        database.Execute("update aa_rowauth_object set bControlled = 1 where cBusObCode "
                         "in ('Warehouse', 'Inventory')"));
    const auto nobody = database.AddLogin("nobody");
    ASSERT_TRUE(
        database.Execute("insert into aa_user values ('" + nobody.userId + "', 'nobody', 0)"));
    BindContext(nobody);
    Open(Commands());
    EXPECT_TRUE(MessageTexts().empty()) << ::testing::PrintToString(MessageTexts());
    EXPECT_EQ(database.Scalar("select iRows from whinv_set_aside_notice").ToString(), "4");
    EXPECT_FALSE(Offered());
}

// Every start asks for the side rows and the notice: on an account that never lost a row, and on
// one that did, the SQL log shows no statement that failed.
TEST_F(SetAsideTest, AStartAsksForTheSideRowsWithoutAFailingStatement) {
    for (const bool sideRows : {false, true}) {
        SCOPED_TRACE(sideRows ? "with side rows" : "without side rows");
        if (sideRows) {
            SetRowsAside();
        }
        const std::string log = database.Folder() + "/sql" + (sideRows ? "1" : "0") + ".log";
        database.Environment()->sqlLogPath = log;
        Open(Commands());
        database.Environment()->sqlLogPath.clear();
        EXPECT_EQ(Offered(), sideRows);
        QFile file(QString::fromStdString(log));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const QString& line) {
            return line.contains("whinv_set_aside_notice", Qt::CaseInsensitive);
        })) << "the notice was asked for";
        for (const QString& line : lines) {
            EXPECT_NE(line.section('\t', 2, 2), "-1") << line.toStdString();
        }
        window.reset();
        database.Dialogs().Clear();
    }
}

TEST_F(SetAsideTest, TheMenuItemGoesWithTheLastRow) {
    SetRowsAside();
    Open(Commands());
    ASSERT_TRUE(database.Execute("delete from WhInvContrapose_set_aside"));
    OpenList([](FrmSetAside& list) { EXPECT_EQ(list.Rows().size(), 0U); });
    EXPECT_FALSE(Offered());
}

}  // namespace
}  // namespace korvel
