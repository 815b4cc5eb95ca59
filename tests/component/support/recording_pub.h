#pragma once

#include <QIcon>
#include <QWidget>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "host/controls/flex_grid.h"
#include "host/controls/ys_list_view.h"
#include "interfaces/pub.h"

namespace korvel::test {

// The host's public service with its find, sort, print and export services answered from a
// script and every call to them recorded; everything else goes to the service wrapped. A call
// named in `failing` throws instead of answering.
class RecordingPub final : public zel::IPub {
public:
    struct Failure : std::runtime_error {
        Failure() : std::runtime_error("host call failed") {}
    };

    explicit RecordingPub(std::shared_ptr<zel::IPub> inner) : inner_(std::move(inner)) {}

    // What Find hands back; "" is a cancelled dialog.
    std::string findCondition;
    // What GetPrnStyle hands back.
    std::string printStyle = "<style/>";
    // What GetData appends after the opening tag.
    std::string dataContent = "<grid/>";
    // The warehouse the last GetData was given for the heading.
    std::string dataWarehouse;
    std::string types = "types";
    std::string sizes = "sizes";
    std::set<std::string> failing;
    // One line per call: the service's name and its arguments, blank separated.
    std::vector<std::string> calls;
    // The recordset the last GetTypeSize got.
    std::shared_ptr<zel::IRecordset> typeSizeColumns;

    void Find(zel::ILogin&, const std::string& caption, QWidget& window,
              std::string& condition) override {
        Record("Find " + caption + " " + Name(window));
        condition = findCondition;
    }
    void FindSet(zel::ILogin&, const std::string& caption, QWidget& window) override {
        Record("FindSet " + caption + " " + Name(window));
    }
    void FindPos(QWidget& window, zel::FlexGrid& grid) override {
        Record("FindPos " + Name(window) + " " + Name(grid));
    }
    void FindPos(QWidget& window, zel::YsListView& list) override {
        Record("FindPos " + Name(window) + " " + Name(list));
    }
    void GridSort(QWidget& window, zel::FlexGrid& grid, int order) override {
        Record("GridSort " + Name(window) + " " + Name(grid) + " " + std::to_string(order));
    }
    void GridSortNew(QWidget& window, zel::FlexGrid& grid, const std::string& itemKey) override {
        Record("GridSortNew " + Name(window) + " " + Name(grid) + " " + itemKey);
    }
    void ShowPopupMenu(QWidget& window, zel::FlexGrid& grid, short button, short shift, float x,
                       float y) override {
        Record("ShowPopupMenu " + Name(window) + " " + Name(grid) + " " + std::to_string(button) +
               " " + std::to_string(shift) + " " + std::to_string(static_cast<int>(x)) + " " +
               std::to_string(static_cast<int>(y)));
    }
    void GetPrnStyle(const std::string&, std::string& style, const std::string& styleName,
                     zel::IClsCommon&, zel::FlexGrid& grid) override {
        Record("GetPrnStyle " + styleName + " " + Name(grid));
        style = printStyle;
    }
    void SavePrnStyle(zel::IClsCommon&, const std::string& styleName,
                      const std::string& style) override {
        Record("SavePrnStyle " + styleName + " " + style);
    }
    void GetData(std::string& data, const std::string& warehouse, const std::string&,
                 const std::string& tableTitle, const std::string& accId, const std::string& userId,
                 const std::string& userName, zel::IObject*, zel::IClsCommon&,
                 zel::FlexGrid& grid) override {
        dataWarehouse = warehouse;
        Record("GetData " + tableTitle + " " + accId + " " + userId + " " + userName + " " +
               Name(grid));
        data += dataContent;
    }
    void GetTypeSize(std::string& typesOut, std::string& sizesOut,
                     const std::shared_ptr<zel::IRecordset>& recordset,
                     zel::FlexGrid& grid) override {
        Record("GetTypeSize " + Name(grid));
        typeSizeColumns = recordset;
        typesOut = types;
        sizesOut = sizes;
    }
    void HelpHide(QObject* application, const std::string& commandKey, QWidget& window) override {
        Record("HelpHide " + commandKey + " " + Name(window));
        inner_->HelpHide(application, commandKey, window);
    }

    std::string GetResString(const std::string& key) override { return inner_->GetResString(key); }
    std::string GetResFormatString(const std::string& key,
                                   const std::vector<std::string>& values) override {
        return inner_->GetResFormatString(key, values);
    }
    // Recorded only when it is to fail.
    int MsgBox(const std::string& text, int buttons, const std::string& title) override {
        if (failing.count("MsgBox") != 0) {
            Record("MsgBox " + text);
        }
        return inner_->MsgBox(text, buttons, title);
    }
    // Recorded only when it is to fail.
    int MsgBoxWithCheck(const std::string& text, int buttons, const std::string& title,
                        const std::string& checkText, bool& checked) override {
        if (failing.count("MsgBoxWithCheck") != 0) {
            Record("MsgBoxWithCheck " + text);
        }
        return inner_->MsgBoxWithCheck(text, buttons, title, checkText, checked);
    }
    int ShowModal(QDialog& window, QWidget* owner) override {
        return inner_->ShowModal(window, owner);
    }
    bool IsLockFun(zel::IClsCommon& db, zel::ILogin& login, const std::string& function,
                   short mode) override {
        return inner_->IsLockFun(db, login, function, mode);
    }
    std::string GetAuth(const std::string& objectName, const std::string& userId,
                        const std::string& ysDBName, const std::string& right) override {
        return inner_->GetAuth(objectName, userId, ysDBName, right);
    }
    std::string GetEndDateFilter(const std::string& kind, const std::string& curDate) override {
        return inner_->GetEndDateFilter(kind, curDate);
    }
    std::string GetFldCaption(const std::shared_ptr<zel::IRecordset>& dictionary,
                              const std::string& field) override {
        return inner_->GetFldCaption(dictionary, field);
    }
    std::string FormatNum(const zel::Variant& value, short digits) override {
        return inner_->FormatNum(value, digits);
    }
    void UtoLCase(std::string& text) override { inner_->UtoLCase(text); }
    std::string GetDispTxt(const std::string& value, const std::vector<std::string>& from,
                           const std::vector<std::string>& to) override {
        return inner_->GetDispTxt(value, from, to);
    }
    std::string GetCmbDB(const std::string& text, const std::vector<std::string>& from,
                         const std::vector<std::string>& to) override {
        return inner_->GetCmbDB(text, from, to);
    }
    void FrmUniteFont(QWidget& window) override { inner_->FrmUniteFont(window); }
    void FormLayout(QWidget& window, const std::string& formKey) override {
        inner_->FormLayout(window, formKey);
    }
    void FrmUnLoad() override { inner_->FrmUnLoad(); }
    void FrmLoadInit(QWidget& window, const std::string& tableTitle, zel::ILogin& login,
                     zel::IClsCommon& db) override {
        inner_->FrmLoadInit(window, tableTitle, login, db);
    }
    void hook(long long windowHandle) override { inner_->hook(windowHandle); }
    void unhook(long long windowHandle) override { inner_->unhook(windowHandle); }
    void HelpX(const std::string& formKey, QWidget& window, zel::ILogin& login,
               QObject* application, bool contextOnly) override {
        inner_->HelpX(formKey, window, login, application, contextOnly);
    }
    void HelpShow(QObject* application, const std::string& commandKey, QWidget& window) override {
        inner_->HelpShow(application, commandKey, window);
    }
    void FrmOpt(QWidget& window, const std::string& optionKey,
                const std::string& formKey) override {
        inner_->FrmOpt(window, optionKey, formKey);
    }
    void SetTlb(zel::ButtonBar& tlb) override { inner_->SetTlb(tlb); }
    void frmResizeNew(QWidget& window, const std::string& formKey,
                      const std::string& treeName) override {
        inner_->frmResizeNew(window, formKey, treeName);
    }
    void MouseEvent(QWidget& window, short phase, short button, short shift, float x, float y,
                    const std::string& formKey) override {
        inner_->MouseEvent(window, phase, button, shift, x, y, formKey);
    }
    void SetTreeStyle(zel::YsTreeView& tree, QWidget& window) override {
        inner_->SetTreeStyle(tree, window);
    }
    void FormatGrid(zel::FlexGrid& grid, const std::shared_ptr<zel::IRecordset>& recordset,
                    const std::string& options) override {
        inner_->FormatGrid(grid, recordset, options);
    }
    std::string FormatGridTxt(const zel::Variant& value, const std::string& field,
                              const pugi::xml_node& style) override {
        return inner_->FormatGridTxt(value, field, style);
    }
    QIcon GetRes(int id) override { return inner_->GetRes(id); }
    void FormatCon(QWidget& box) override { inner_->FormatCon(box); }
    std::string GetFilterFlds(const std::string& referenceType) override {
        return inner_->GetFilterFlds(referenceType);
    }
    void CreateMatchStr(QWidget& box, const std::string& filterFields, std::string& match,
                        const std::string& table) override {
        inner_->CreateMatchStr(box, filterFields, match, table);
    }
    void SetLabelCaption(zel::IClsCommon& db, QWidget& window, const std::string& kind) override {
        inner_->SetLabelCaption(db, window, kind);
    }
    void FrmOptInit(QWidget& window, int kind) override { inner_->FrmOptInit(window, kind); }
    void SetYsTlbStyle(QWidget& window, bool textButtons) override {
        Record("SetYsTlbStyle " + Name(window) + (textButtons ? " True" : " False"));
        inner_->SetYsTlbStyle(window, textButtons);
    }
    void SetYsTlbStyleNew(QWidget& window, bool textButtons, QWidget& styleFrame,
                          QWidget& fieldFrame) override {
        inner_->SetYsTlbStyleNew(window, textButtons, styleFrame, fieldFrame);
    }
    void ReRefreshYsTlb(QWidget& window) override { inner_->ReRefreshYsTlb(window); }
    void YsTlbResize(QWidget& window) override { inner_->YsTlbResize(window); }
    bool isSaveRs(QWidget& window) override { return inner_->isSaveRs(window); }
    bool isSaveRs(QWidget& window, bool& cancel, int unloadMode) override {
        return inner_->isSaveRs(window, cancel, unloadMode);
    }
    bool FrmKeyDown(QWidget& window, int keyCode, int shift) override {
        return inner_->FrmKeyDown(window, keyCode, shift);
    }
    // The multi-record modify services: answered from the script below, every call recorded.
    void showRef(QWidget& control, const std::string& kind, zel::ILogin&, bool& ok,
                 const std::string& authCondition, std::string& code, std::string& name,
                 std::shared_ptr<zel::IRecordset>&) override {
        Record("showRef " + Name(control) + " " + kind + " " + authCondition);
        ok = reference.ok;
        if (ok) {
            code = reference.code;
            name = reference.name;
        }
    }
    bool IFExists(zel::IClsCommon&, const std::string& kind, const std::string& caption,
                  const std::string& value, bool emptyRefused, const std::string& reserved,
                  const std::string& authCondition) override {
        Record("IFExists " + kind + " " + caption + " " + value + " " +
               std::to_string(emptyRefused) + " " + reserved + " " + authCondition);
        return refusedValues.count(value) == 0;
    }
    bool CheckDateStyle(const std::string& value, const std::string& caption) override {
        Record("CheckDateStyle " + value + " " + caption);
        return refusedValues.count(value) == 0;
    }
    void ModifyInitMsg(std::shared_ptr<zel::IRecordset>& report, const std::string& fields,
                       const std::string& captions) override {
        Record("ModifyInitMsg " + fields + " " + captions);
        report.reset();
        reportRows.clear();
    }
    void ModifyAddMsg(std::shared_ptr<zel::IRecordset>&,
                      const std::vector<std::string>& values) override {
        Record("ModifyAddMsg");
        reportRows.push_back(values);
    }
    void ModifyShowMsg(QWidget& window, zel::ILogin&, zel::IClsCommon&,
                       std::shared_ptr<zel::IRecordset>&) override {
        Record("ModifyShowMsg " + Name(window) + " " + std::to_string(reportRows.size()));
    }

    // What showRef hands back.
    struct Reference {
        bool ok = false;
        std::string code;
        std::string name;
    } reference;
    // Values IFExists and CheckDateStyle refuse; every other value passes.
    std::set<std::string> refusedValues;
    // The rows of the last failure report, one text per field.
    std::vector<std::vector<std::string>> reportRows;

private:
    static std::string Name(const QObject& object) { return object.objectName().toStdString(); }

    void Record(std::string call) {
        const std::string name = call.substr(0, call.find(' '));
        calls.push_back(std::move(call));
        if (failing.count(name) != 0) {
            throw Failure();
        }
    }

    std::shared_ptr<zel::IPub> inner_;
};

}  // namespace korvel::test
