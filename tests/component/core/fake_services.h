#pragma once

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "interfaces/cls_common.h"
#include "interfaces/login.h"
#include "interfaces/object.h"
#include "interfaces/pub.h"
#include "interfaces/recordset.h"
#include "interfaces/row_auth.h"
#include "support/scripted_dialogs.h"

namespace korvel::test {

// What the fakes did, in order, shared by all fakes of one test.
using Journal = std::vector<std::string>;

// A failure a host call may raise; the component must swallow it.
struct HostFailure : std::runtime_error {
    HostFailure() : std::runtime_error("host failure") {}
};

class FakeRecordset final : public zel::IRecordset {
public:
    using Row = std::map<std::string, zel::Variant>;
    explicit FakeRecordset(std::vector<Row> rows) : rows_(std::move(rows)) {}

    bool Bof() const override { return position_ == 0; }
    bool Eof() const override { return position_ >= visible_.size(); }
    void MoveFirst() override { position_ = 0; }
    void MoveNext() override { ++position_; }
    long RecordCount() const override { return static_cast<long>(visible_.size()); }
    bool IsOpen() const override { return open_; }
    void Close() override { open_ = false; }
    int FieldCount() const override { return 0; }
    std::string FieldName(int) const override { return {}; }
    int FieldIndex(std::string_view) const override { return -1; }
    int FieldDefinedSize(int) const override { return 0; }
    std::string FieldSource(int) const override { return {}; }
    std::optional<zel::Variant> Fields(int) const override { return std::nullopt; }
    std::optional<zel::Variant> Fields(std::string_view name) const override;
    // Understands "a='x' and b='y'".
    bool SetFilter(std::string_view condition) override;

    std::vector<std::string> filters;
    bool refuseFilter = false;

private:
    std::vector<Row> rows_;
    std::vector<std::size_t> visible_ = AllRows();
    std::size_t position_ = 0;
    bool open_ = true;

    std::vector<std::size_t> AllRows() const;
};

class FakeLogin final : public zel::ILogin {
public:
    std::string cUserId() const override { return "u01"; }
    std::string CurDate() const override { return "2024-03-15"; }
    std::string ysDBName() const override { return "acc001"; }
    std::string cAcc_Id() const override { return "001"; }
    std::string cUserName() const override { return "Operator"; }
};

class FakePub final : public zel::IPub {
public:
    FakePub(std::shared_ptr<Journal> journal, zel::test::ScriptedDialogs& dialogs)
        : journal_(std::move(journal)), dialogs_(dialogs) {}
    ~FakePub() override { journal_->push_back("drop pub"); }

    std::string GetResString(const std::string& key) override;
    std::string GetResFormatString(const std::string& key,
                                   const std::vector<std::string>&) override {
        return key;
    }
    int MsgBox(const std::string& text, int buttons, const std::string& title) override {
        return dialogs_.MessageBox(text, buttons, title);
    }
    int MsgBoxWithCheck(const std::string& text, int buttons, const std::string& title,
                        const std::string&, bool& checked) override {
        checked = false;
        return dialogs_.MessageBox(text, buttons, title);
    }
    int ShowModal(QDialog& window, QWidget* owner) override {
        return dialogs_.ShowModal(window, owner);
    }
    bool IsLockFun(zel::IClsCommon&, zel::ILogin&, const std::string& function,
                   short mode) override;
    std::string GetAuth(const std::string& objectName, const std::string& userId,
                        const std::string& ysDBName, const std::string& right) override;
    std::string GetEndDateFilter(const std::string&, const std::string&) override { return {}; }
    std::string GetFldCaption(const std::shared_ptr<zel::IRecordset>& dictionary,
                              const std::string& field) override;
    std::string FormatNum(const zel::Variant& value, short) override { return value.ToString(); }
    void UtoLCase(std::string& text) override;
    std::string GetDispTxt(const std::string& value, const std::vector<std::string>&,
                           const std::vector<std::string>&) override {
        return value;
    }
    std::string GetCmbDB(const std::string& text, const std::vector<std::string>&,
                         const std::vector<std::string>&) override {
        return text;
    }
    // The window framework is not what these tests are about.
    void FrmUniteFont(QWidget&) override {}
    void FormLayout(QWidget&, const std::string&) override {}
    void FrmUnLoad() override {}
    void FrmLoadInit(QWidget&, const std::string&, zel::ILogin&, zel::IClsCommon&) override {}
    void hook(long long) override {}
    void unhook(long long) override {}
    void HelpX(const std::string&, QWidget&, zel::ILogin&, QObject*, bool) override {}
    void HelpShow(QObject*, const std::string&, QWidget&) override {}
    void HelpHide(QObject*, const std::string&, QWidget&) override {}
    void FrmOpt(QWidget&, const std::string&, const std::string&) override {}
    void SetTlb(zel::ButtonBar&) override {}
    void frmResizeNew(QWidget&, const std::string&, const std::string&) override {}
    void MouseEvent(QWidget&, short, short, short, float, float, const std::string&) override {}
    void SetTreeStyle(zel::YsTreeView&, QWidget&) override {}
    void FormatGrid(zel::FlexGrid&, const std::shared_ptr<zel::IRecordset>&,
                    const std::string&) override {}
    std::string FormatGridTxt(const zel::Variant& value, const std::string&,
                              const pugi::xml_node&) override {
        return value.ToString();
    }
    QIcon GetRes(int) override;
    void FormatCon(QWidget&) override {}
    std::string GetFilterFlds(const std::string&) override { return {}; }
    void CreateMatchStr(QWidget&, const std::string&, std::string& match,
                        const std::string&) override {
        match = "1=1";
    }
    void SetLabelCaption(zel::IClsCommon&, QWidget&, const std::string&) override {}
    void FrmOptInit(QWidget&, int) override {}
    void SetYsTlbStyle(QWidget&, bool) override {}
    void SetYsTlbStyleNew(QWidget&, bool, QWidget&, QWidget&) override {}
    void ReRefreshYsTlb(QWidget&) override {}
    void YsTlbResize(QWidget&) override {}
    bool isSaveRs(QWidget&) override { return true; }
    bool isSaveRs(QWidget&, bool&, int) override { return true; }
    bool FrmKeyDown(QWidget&, int, int) override { return false; }
    void Find(zel::ILogin&, const std::string&, QWidget&, std::string& condition) override {
        condition.clear();
    }
    void FindSet(zel::ILogin&, const std::string&, QWidget&) override {}
    void FindPos(QWidget&, zel::FlexGrid&) override {}
    void FindPos(QWidget&, zel::YsListView&) override {}
    void GridSort(QWidget&, zel::FlexGrid&, int) override {}
    void GridSortNew(QWidget&, zel::FlexGrid&, const std::string&) override {}
    void ShowPopupMenu(QWidget&, zel::FlexGrid&, short, short, float, float) override {}
    void GetPrnStyle(const std::string&, std::string&, const std::string&, zel::IClsCommon&,
                     zel::FlexGrid&) override {}
    void SavePrnStyle(zel::IClsCommon&, const std::string&, const std::string&) override {}
    void GetData(std::string&, const std::string&, const std::string&, const std::string&,
                 const std::string&, const std::string&, const std::string&, zel::IObject*,
                 zel::IClsCommon&, zel::FlexGrid&) override {}
    void GetTypeSize(std::string&, std::string&, const std::shared_ptr<zel::IRecordset>&,
                     zel::FlexGrid&) override {}
    void showRef(QWidget&, const std::string&, zel::ILogin&, bool& ok, const std::string&,
                 std::string&, std::string&, std::shared_ptr<zel::IRecordset>&) override {
        ok = false;
    }
    bool IFExists(zel::IClsCommon&, const std::string&, const std::string&, const std::string&,
                  bool, const std::string&, const std::string&) override {
        return true;
    }
    bool CheckDateStyle(const std::string&, const std::string&) override { return true; }
    void ModifyInitMsg(std::shared_ptr<zel::IRecordset>&, const std::string&,
                       const std::string&) override {}
    void ModifyAddMsg(std::shared_ptr<zel::IRecordset>&, const std::vector<std::string>&) override {
    }
    void ModifyShowMsg(QWidget&, zel::ILogin&, zel::IClsCommon&,
                       std::shared_ptr<zel::IRecordset>&) override {}

    std::map<std::string, std::string> texts;
    std::map<std::string, std::string> captions;
    std::map<std::string, std::string> personAuth = {{"", "(1=1)"}, {"W", "(1=1)"}};
    bool refuseLock = false;
    bool failLock = false;
    bool failPersonAuth = false;
    bool lowerCases = true;
    // Resource keys, dictionary fields and authorisation requests, in the order asked.
    std::vector<std::string> calls;

private:
    std::shared_ptr<Journal> journal_;
    zel::test::ScriptedDialogs& dialogs_;
};

class FakeDb final : public zel::IClsCommon {
public:
    explicit FakeDb(std::shared_ptr<Journal> journal) : journal_(std::move(journal)) {}
    ~FakeDb() override { journal_->push_back("drop db"); }

    void Init(const std::string& ysDBName) override { journal_->push_back("db Init " + ysDBName); }
    bool Status() override;
    std::shared_ptr<zel::IRecordset> OpenX(const std::string& sql) override;
    std::shared_ptr<zel::IRecordset> Openforward(const std::string& sql) override {
        return OpenX(sql);
    }
    bool ExecuteX(const std::string&) override { return false; }
    bool Add(const std::string&, const std::string&, std::string&) override { return false; }
    bool Modify(const std::string&, const std::string&, std::string&) override { return false; }
    bool Delete(const std::string&, const std::string&, const std::string&, std::string&,
                const std::string&) override {
        return false;
    }
    std::string LastError() const override { return {}; }
    void BeginChangeStep() override {}
    void BeginImportStep() override {}
    void EndChangeStep() override {}
    bool BeginTrans() override { return false; }
    bool CommitTrans() override { return false; }
    bool RollbackTrans() override { return true; }

    bool connected = true;
    bool failStatus = false;
    // Results by statement; a statement without one gives nullptr.
    std::map<std::string, std::shared_ptr<FakeRecordset>> results;
    std::vector<std::string> statements;

private:
    std::shared_ptr<Journal> journal_;
};

class FakeRowAuth final : public zel::IRowAuth {
public:
    explicit FakeRowAuth(std::shared_ptr<Journal> journal) : journal_(std::move(journal)) {}
    ~FakeRowAuth() override { journal_->push_back("drop rowauth"); }

    void Init(const std::string& ysDBName, const std::string& userId) override {
        journal_->push_back("rowauth Init " + ysDBName + " " + userId);
    }
    std::string GetAuthString(const std::string& objectName, const std::string& reserved,
                              const std::string& right) override;

    // Answers by object name + right ("Inventory", "InventoryW", ...); a missing one fails.
    std::map<std::string, std::string> answers = {
        {"Inventory", ""}, {"InventoryW", ""}, {"Warehouse", ""}, {"WarehouseW", ""}};

private:
    std::shared_ptr<Journal> journal_;
};

// Serves the three host services; each can be taken away. Keeps no reference to what it made,
// so a test can watch the component drop them.
class FakeFactory final : public zel::IObjectFactory {
public:
    explicit FakeFactory(zel::test::ScriptedDialogs& dialogs);

    std::shared_ptr<zel::IObject> CreateObject(std::string_view progId) override;

    std::shared_ptr<Journal> journal = std::make_shared<Journal>();
    std::vector<std::string> requested;
    // Called on every service the factory makes, before it is handed out.
    std::function<void(FakePub&)> setUpPub = [](FakePub&) {};
    std::function<void(FakeDb&)> setUpDb = [](FakeDb&) {};
    std::function<void(FakeRowAuth&)> setUpRowAuth = [](FakeRowAuth&) {};
    bool hasPub = true;
    bool hasDb = true;
    bool hasRowAuth = true;
    std::weak_ptr<FakePub> lastPub;
    std::weak_ptr<FakeDb> lastDb;
    std::weak_ptr<FakeRowAuth> lastRowAuth;

private:
    zel::test::ScriptedDialogs& dialogs_;
};

// The host's texts for the keys the core words, as the host resource table holds them.
std::map<std::string, std::string> HostTexts();
// The column-dictionary captions of the Inventory columns.
std::map<std::string, std::string> DictionaryCaptions();

}  // namespace korvel::test
