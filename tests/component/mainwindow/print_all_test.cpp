#include "mainwindow/print_all.h"

#include <gtest/gtest.h>
#include <QGuiApplication>

#include <functional>

#include "component/support/main_window_fixture.h"

namespace korvel::test {
namespace {

constexpr const char* kNoData = "没有可用数据！";
constexpr const char* kDataText = "<?xml version='1.0' standalone='yes' ?><数据><grid/></数据>";

// A print control that records what it is asked and answers as told.
class RecordingPrintTarget final : public PrintTarget {
public:
    int dataStyleResult = 0;
    int pageSetupResult = 0;
    // What the control's style-save event delivers on TriggerEvent(0).
    std::function<void()> raiseSaveStyle = [] {};
    std::vector<std::string> calls;
    std::string data;
    std::string style;
    bool visible = true;

    void SetVisible(bool shown) override {
        visible = shown;
        calls.push_back(shown ? "SetVisible 1" : "SetVisible 0");
    }
    int SetDataStyleXML(const std::string& dataText, bool dataIsFile, const std::string& styleText,
                        bool styleIsFile, const std::string& styleName) override {
        data = dataText;
        style = styleText;
        calls.push_back("SetDataStyleXML " + std::to_string(dataIsFile) +
                        std::to_string(styleIsFile) + " " + styleName);
        return dataStyleResult;
    }
    int PageSetup() override {
        calls.push_back("PageSetup");
        return pageSetupResult;
    }
    void TriggerEvent(int event) override {
        calls.push_back("TriggerEvent " + std::to_string(event));
        raiseSaveStyle();
    }
    int DoPrint() override {
        calls.push_back("DoPrint");
        return 0;
    }
    long long ParentHandle() const override { return 42; }
    void SetOwner(long long windowHandle) override {
        calls.push_back("SetOwner " + std::to_string(windowHandle));
    }
    void PrintPreview() override { calls.push_back("PrintPreview"); }
    int ExportToFile(int& status, const std::string& types, const std::string& sizes,
                     const std::string& reserved1, const std::string& reserved2) override {
        calls.push_back("ExportToFile " + std::to_string(status) + " " + types + " " + sizes +
                        " [" + reserved1 + reserved2 + "]");
        status = 0;
        return 0;
    }
};

class PrintAllTest : public MainWindowTest {
protected:
    PrintAllTest() {
        database.AddWarehouse("01");
        database.AddInventory("A0001");
        database.AddCorrespondence("01", "A0001");
    }

    void Run(const std::string& key) {
        PrintAll(context, MainGridSubject(context.catalogue), *window, key, window->Grid(), prn);
    }

    // The calls every output makes before the control is told what to do.
    std::vector<std::string> Prepared(const std::string& key) const {
        return {"HelpHide " + key + " FrmWhInvContra",
                "GetPrnStyle " + context.catalogue.sModuleTitle + " Grid",
                "GetData " + context.catalogue.sTableTitle + " 001 demo demo Grid"};
    }

    RecordingPub& pub = RecordHostCalls();
    RecordingPrintTarget prn;
};

TEST_F(PrintAllTest, EveryKeyHandsTheDataAndStyleToTheControlThenRunsItsOutput) {
    const struct {
        const char* key;
        std::vector<std::string> output;
    } cases[] = {
        {"Print", {"DoPrint"}},
        {"PRINT", {"DoPrint"}},
        {"Preview", {"SetOwner 42", "PrintPreview"}},
        {"SaveFile", {"ExportToFile 0 types sizes []"}},
        {"savefile", {"ExportToFile 0 types sizes []"}},
        {"SetUp", {"PageSetup", "TriggerEvent 0"}},
        {"Other", {}},
    };
    Open();
    for (const auto& c : cases) {
        prn.calls.clear();
        pub.calls.clear();
        Run(c.key);
        std::vector<std::string> expected = {"SetVisible 0", "SetDataStyleXML 00 Default"};
        expected.insert(expected.end(), c.output.begin(), c.output.end());
        EXPECT_EQ(prn.calls, expected) << c.key;
        EXPECT_EQ(prn.data, kDataText);
        EXPECT_EQ(prn.style, "<style/>");
        EXPECT_EQ(std::vector<std::string>(pub.calls.begin(), pub.calls.begin() + 3),
                  Prepared(c.key))
            << c.key;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << c.key;
    }
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(PrintAllTest, AGridOfTheHeaderOnlySaysThereIsNoDataForEveryKey) {
    database.Execute("delete from WhInvContrapose");
    Open();
    ASSERT_EQ(window->Grid().Rows(), 1);
    for (const char* key : {"SetUp", "Print", "Preview", "SaveFile"}) {
        prn.calls.clear();
        Run(key);
        EXPECT_EQ(prn.calls, std::vector<std::string>{"SetVisible 0"}) << key;
        EXPECT_FALSE(prn.visible);
    }
    EXPECT_EQ(MessageTexts(), std::vector<std::string>(4, kNoData));
    EXPECT_TRUE(pub.calls.empty());
}

TEST_F(PrintAllTest, DataOrStyleRefusedByTheControlEndsWithoutOutputOrMessage) {
    Open();
    prn.dataStyleResult = 1;
    for (const char* key : {"SetUp", "Print", "Preview", "SaveFile"}) {
        prn.calls.clear();
        Run(key);
        EXPECT_EQ(prn.calls,
                  (std::vector<std::string>{"SetVisible 0", "SetDataStyleXML 00 Default"}))
            << key;
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(PrintAllTest, TheHourglassGoesWhenAHostCallFails) {
    Open();
    for (const char* failing : {"GetPrnStyle", "GetData"}) {
        pub.failing = {failing};
        prn.calls.clear();
        EXPECT_THROW(Run("Print"), RecordingPub::Failure) << failing;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << failing;
        EXPECT_EQ(prn.calls, std::vector<std::string>{"SetVisible 0"}) << failing;
    }
}

TEST_F(PrintAllTest, ThePageSetUpIsStoredOnlyWhenTheUserKeepsIt) {
    Open();
    prn.raiseSaveStyle = [&] {
        SavePrintStyle(context, MainGridSubject(context.catalogue), QVariant("<page "),
                       QVariant("a4/>"));
    };
    prn.pageSetupResult = -1;
    Run("SetUp");
    EXPECT_EQ(prn.calls.back(), "PageSetup");
    EXPECT_TRUE(pub.calls.back().starts_with("GetData ")) << pub.calls.back();

    prn.pageSetupResult = 0;
    Run("setup");
    EXPECT_EQ(pub.calls.back(), "SavePrnStyle " + context.catalogue.sModuleTitle + " <page a4/>");
}

TEST_F(PrintAllTest, TheExportIsDescribedFromTheGridsColumnsOrFromNoColumnsWhenTheQueryFails) {
    Open();
    Run("SaveFile");
    ASSERT_NE(pub.typeSizeColumns, nullptr);
    EXPECT_EQ(pub.typeSizeColumns->FieldCount(), 17);
    EXPECT_EQ(pub.typeSizeColumns->RecordCount(), 0);
    EXPECT_EQ(pub.typeSizeColumns->FieldName(16), "cPersonName");

    ASSERT_TRUE(database.Execute("alter table Person rename to PersonGone"));
    Run("SaveFile");
    ASSERT_NE(pub.typeSizeColumns, nullptr);
    EXPECT_EQ(pub.typeSizeColumns->FieldCount(), 0);
    EXPECT_EQ(prn.calls.back(), "ExportToFile 0 types sizes []");
}

using MainWindowPrint = PrintAllTest;

TEST_F(MainWindowPrint, TheWindowsPrintControlStoresTheStyleItSaves) {
    Open();
    ASSERT_EQ(window->findChild<zel::PrintControl*>("Prn"), &window->Prn());
    emit window->Prn().SaveStyle(QVariant("<style "), QVariant(12));
    EXPECT_EQ(pub.calls, std::vector<std::string>{"SavePrnStyle " + context.catalogue.sModuleTitle +
                                                  " <style 12"});
}

TEST_F(MainWindowPrint, APrintCommandThatFailsInTheHostLeavesNoHourglassAndAHiddenControl) {
    Open();
    pub.failing = {"GetData"};
    window->ExecCommand("Print");
    EXPECT_EQ(pub.calls.back(), "GetData " + context.catalogue.sTableTitle + " 001 demo demo Grid");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(window->Prn().isVisible());
    EXPECT_TRUE(MessageTexts().empty());
}

// The heading names what the tree has selected: a warehouse by code and name, the root as all
// warehouses.
TEST_F(MainWindowPrint, APrintNamesTheWarehouseSelectedInTheTree) {
    database.AddWarehouse("02", "原料库");
    database.AddCorrespondence("02", "A0001");
    Open();
    pub.failing = {"GetData"};
    const struct {
        const char* key;
        const char* named;
    } cases[] = {{"r02", "02 原料库"}, {"r", "全部仓库"}};
    for (const auto& c : cases) {
        zel::YsTreeNode* node = window->Trv().Nodes().Find(c.key);
        ASSERT_NE(node, nullptr) << c.key;
        node->SetSelected(true);
        window->ExecCommand("Print");
        EXPECT_EQ(pub.dataWarehouse, c.named) << c.key;
    }
}

TEST_F(PrintAllTest, TheDataGivesTheHostTheSubjectsWarehouse) {
    Open();
    PrintSubject subject = MainGridSubject(context.catalogue);
    subject.warehouse = "01 成品库";
    WriteData(context, subject, window->Grid());
    EXPECT_EQ(pub.dataWarehouse, "01 成品库");
}

}  // namespace
}  // namespace korvel::test
