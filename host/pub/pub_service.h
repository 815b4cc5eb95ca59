#pragma once

#include <memory>
#include <optional>

#include "host/objects/host_environment.h"
#include "host/pub/splitter_drag.h"
#include "host/pub/watched_windows.h"
#include "host/pub/window_help.h"
#include "host/pub/window_settings.h"
#include "interfaces/pub.h"

namespace zel {

// ZelPub.IPub: resource texts, message boxes and modal windows, the function and edit locks,
// authorisation and end-date conditions, captions and number texts, and the window framework:
// fonts, stored layouts and options, help, the toolbar, the frame layout, the splitter and the
// grid's columns and cell texts; for the record editor its pictures, number boxes, reference
// matching, label captions, bar and the question about unsaved changes.
class PubService final : public IPub {
public:
    // The factory creates the row-authorisation service for GetAuth and the database service for
    // the stored layouts; it must outlive the service.
    PubService(std::shared_ptr<HostEnvironment> environment, IObjectFactory& factory);

    std::string GetResString(const std::string& key) override;
    std::string GetResFormatString(const std::string& key,
                                   const std::vector<std::string>& values) override;

    int MsgBox(const std::string& text, int buttons, const std::string& title) override;
    int MsgBoxWithCheck(const std::string& text, int buttons, const std::string& title,
                        const std::string& checkText, bool& checked) override;
    int ShowModal(QDialog& window, QWidget* owner) override;

    bool IsLockFun(IClsCommon& db, ILogin& login, const std::string& function, short mode) override;

    std::string GetAuth(const std::string& objectName, const std::string& userId,
                        const std::string& ysDBName, const std::string& right = "") override;
    std::string GetEndDateFilter(const std::string& kind, const std::string& curDate) override;
    std::string GetFldCaption(const std::shared_ptr<IRecordset>& dictionary,
                              const std::string& field) override;

    std::string FormatNum(const Variant& value, short digits) override;
    void UtoLCase(std::string& text) override;
    std::string GetDispTxt(const std::string& value, const std::vector<std::string>& from,
                           const std::vector<std::string>& to) override;
    std::string GetCmbDB(const std::string& text, const std::vector<std::string>& from,
                         const std::vector<std::string>& to) override;

    void FrmUniteFont(QWidget& window) override;
    void FormLayout(QWidget& window, const std::string& formKey) override;
    void FrmUnLoad() override;
    void FrmLoadInit(QWidget& window, const std::string& tableTitle, ILogin& login,
                     IClsCommon& db) override;
    void hook(long long windowHandle) override;
    void unhook(long long windowHandle) override;

    void HelpX(const std::string& formKey, QWidget& window, ILogin& login, QObject* application,
               bool contextOnly) override;
    void HelpShow(QObject* application, const std::string& commandKey, QWidget& window) override;
    void HelpHide(QObject* application, const std::string& commandKey, QWidget& window) override;

    void FrmOpt(QWidget& window, const std::string& optionKey, const std::string& formKey) override;
    void SetTlb(ButtonBar& tlb) override;
    void frmResizeNew(QWidget& window, const std::string& formKey,
                      const std::string& treeName) override;
    void MouseEvent(QWidget& window, short phase, short button, short shift, float x, float y,
                    const std::string& formKey) override;
    void SetTreeStyle(YsTreeView& tree, QWidget& window) override;
    void FormatGrid(FlexGrid& grid, const std::shared_ptr<IRecordset>& recordset,
                    const std::string& options = "") override;
    std::string FormatGridTxt(const Variant& value, const std::string& field,
                              const pugi::xml_node& style) override;

    QIcon GetRes(int id) override;
    void FormatCon(QWidget& box) override;
    std::string GetFilterFlds(const std::string& referenceType) override;
    void CreateMatchStr(QWidget& box, const std::string& filterFields, std::string& match,
                        const std::string& table) override;
    void SetLabelCaption(IClsCommon& db, QWidget& window, const std::string& kind) override;
    void FrmOptInit(QWidget& window, int kind) override;
    void SetYsTlbStyle(QWidget& window, bool textButtons) override;
    void SetYsTlbStyleNew(QWidget& window, bool textButtons, QWidget& styleFrame,
                          QWidget& fieldFrame) override;
    void ReRefreshYsTlb(QWidget& window) override;
    void YsTlbResize(QWidget& window) override;
    bool isSaveRs(QWidget& window) override;
    bool isSaveRs(QWidget& window, bool& cancel, int unloadMode) override;
    bool FrmKeyDown(QWidget& window, int keyCode, int shift) override;

    void Find(ILogin& login, const std::string& caption, QWidget& window,
              std::string& condition) override;
    void FindSet(ILogin& login, const std::string& caption, QWidget& window) override;
    void FindPos(QWidget& window, FlexGrid& grid) override;
    void FindPos(QWidget& window, YsListView& list) override;
    void GridSort(QWidget& window, FlexGrid& grid, int order) override;
    void GridSortNew(QWidget& window, FlexGrid& grid, const std::string& itemKey) override;
    void ShowPopupMenu(QWidget& window, FlexGrid& grid, short button, short shift, float x,
                       float y) override;

    void GetPrnStyle(const std::string& reserved, std::string& style, const std::string& styleName,
                     IClsCommon& db, FlexGrid& grid) override;
    void SavePrnStyle(IClsCommon& db, const std::string& styleName,
                      const std::string& style) override;
    void GetData(std::string& data, const std::string& warehouse, const std::string& reserved2,
                 const std::string& tableTitle, const std::string& accId, const std::string& userId,
                 const std::string& userName, IObject* reserved3, IClsCommon& db,
                 FlexGrid& grid) override;
    void GetTypeSize(std::string& types, std::string& sizes,
                     const std::shared_ptr<IRecordset>& recordset, FlexGrid& grid) override;

    void showRef(QWidget& control, const std::string& kind, ILogin& login, bool& ok,
                 const std::string& authCondition, std::string& code, std::string& name,
                 std::shared_ptr<IRecordset>& recordset) override;
    bool IFExists(IClsCommon& db, const std::string& kind, const std::string& caption,
                  const std::string& value, bool emptyRefused, const std::string& reserved,
                  const std::string& authCondition) override;
    bool CheckDateStyle(const std::string& value, const std::string& caption) override;
    void ModifyInitMsg(std::shared_ptr<IRecordset>& report, const std::string& fields,
                       const std::string& captions) override;
    void ModifyAddMsg(std::shared_ptr<IRecordset>& report,
                      const std::vector<std::string>& values) override;
    void ModifyShowMsg(QWidget& window, ILogin& login, IClsCommon& db,
                       std::shared_ptr<IRecordset>& report) override;

    // Whether hook has been called for the handle and unhook not yet.
    bool Watches(long long windowHandle) const { return watched_.Watches(windowHandle); }

private:
    void ShowLockMessage(const std::string& text);
    // The user of the window settings: the one a window's load named, else the session's.
    std::optional<FormUser> SettingsUser() const;

    std::shared_ptr<HostEnvironment> environment_;
    IObjectFactory& factory_;
    WindowSettings settings_;
    SplitterDrag drag_;
    WindowHelp help_;
    WatchedWindows watched_;
    std::optional<FormUser> loadUser_;
};

}  // namespace zel
