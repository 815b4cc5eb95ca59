#pragma once

#include <memory>
#include <string>
#include <vector>

#include "interfaces/cls_common.h"
#include "interfaces/login.h"
#include "interfaces/object.h"
#include "interfaces/recordset.h"
#include "interfaces/variant.h"

class QDialog;
class QIcon;
class QObject;
class QWidget;

namespace pugi {
class xml_node;
}

namespace zel {

class ButtonBar;
class FlexGrid;
class YsListView;
class YsTreeView;

// MsgBox button codes as the host defines them.
enum MsgBoxCode : int {
    kMsgOk = 0,
    kMsgYesNoCancel = 3,
    kMsgYesNo = 4,
    kMsgStop = 16,
    kMsgQuestion = 32,
    kMsgExclamation = 48,
    kMsgInformation = 64,
    kAnswerOk = 1,
    kAnswerCancel = 2,
    kAnswerYes = 6,
    kAnswerNo = 7,
};

// Lock modes of IsLockFun.
enum LockMode : short {
    kLockFunction = 1,
    kUnlockFunction = -1,
    kLockEdit = 2,
    kUnlockEdit = -2,
};

// ProgID ZelPub.IPub: resource texts, dialogs, locks, formatting and window framework.
class IPub : public IObject {
public:
    // Resource texts. An unknown key comes back as the key itself.
    virtual std::string GetResString(const std::string& key) = 0;
    // The text with values[0] in place of "%1", values[1] in place of "%2", and so on.
    virtual std::string GetResFormatString(const std::string& key,
                                           const std::vector<std::string>& values) = 0;

    // Modal message box; returns the answer code (kAnswerOk, kAnswerYes, kAnswerNo).
    virtual int MsgBox(const std::string& text, int buttons, const std::string& title) = 0;
    // MsgBox with a check box under the text, unchecked at first (e.g. "the same answer for the
    // rest of this run"); checked receives its state when the box closes.
    virtual int MsgBoxWithCheck(const std::string& text, int buttons, const std::string& title,
                                const std::string& checkText, bool& checked) = 0;
    // Shows a window modally, owned by owner (nullptr: no owner); returns its result code.
    // Every modal window of the component goes through here so that a test host can answer it.
    virtual int ShowModal(QDialog& window, QWidget* owner) = 0;

    // Function lock (modes 1/-1) and edit lock (2/-2). With 1 or 2 the result True means the
    // caller must not go on (held by someone else, or the lock could not be checked).
    virtual bool IsLockFun(IClsCommon& db, ILogin& login, const std::string& function,
                           short mode) = 0;

    // Person authorisation as a complete condition, e.g. "(1=1)" or "(Person.cPersonCode in
    // (...))".
    virtual std::string GetAuth(const std::string& objectName, const std::string& userId,
                                const std::string& ysDBName, const std::string& right = "") = 0;
    // Condition that leaves out items past their end date on the business date.
    virtual std::string GetEndDateFilter(const std::string& kind, const std::string& curDate) = 0;
    // Caption of a column from a column-dictionary recordset (select * from aa_columndic ...).
    virtual std::string GetFldCaption(const std::shared_ptr<IRecordset>& dictionary,
                                      const std::string& field) = 0;

    // Number as text with that many decimals ("" for Null or non-numbers).
    virtual std::string FormatNum(const Variant& value, short digits) = 0;
    virtual void UtoLCase(std::string& text) = 0;
    // The entry of `to` at the position of `value` in `from`; `value` unchanged when absent.
    virtual std::string GetDispTxt(const std::string& value, const std::vector<std::string>& from,
                                   const std::vector<std::string>& to) = 0;
    virtual std::string GetCmbDB(const std::string& text, const std::vector<std::string>& from,
                                 const std::vector<std::string>& to) = 0;

    // Window framework. A window is a QWidget whose controls carry their names as object names
    // ("Tlb", "TLB2", "Stb", "Trv", "Grid", "Pic", "PicSeparate", menu actions "mStb", "mText",
    // "mPrintNo"); the host finds them by name, as it finds nothing else.

    // One font for the window and all its controls.
    virtual void FrmUniteFont(QWidget& window) = 0;
    // Restores the stored size, pane widths and options of the window under formKey for the
    // logged-in user; remembers the window so that FrmUnLoad can store them again.
    virtual void FormLayout(QWidget& window, const std::string& formKey) = 0;
    // The window most recently given to FormLayout is closing: its layout is stored.
    virtual void FrmUnLoad() = 0;
    virtual void FrmLoadInit(QWidget& window, const std::string& tableTitle, ILogin& login,
                             IClsCommon& db) = 0;
    // The host watches the window of that handle (QWidget::winId) until unhook.
    virtual void hook(long long windowHandle) = 0;
    virtual void unhook(long long windowHandle) = 0;

    // Binds the help of formKey to the window.
    virtual void HelpX(const std::string& formKey, QWidget& window, ILogin& login,
                       QObject* application, bool contextOnly) = 0;
    // Called with every command key of the window; the key "Help" shows the window's help once.
    virtual void HelpShow(QObject* application, const std::string& commandKey, QWidget& window) = 0;
    virtual void HelpHide(QObject* application, const std::string& commandKey, QWidget& window) = 0;

    // Switches the window option of the key: "mStb" status bar shown, "mText" captions under the
    // toolbar pictures, "mPrintNo" serial numbers printed. The menu action of that name shows the
    // state; the state is stored under formKey.
    virtual void FrmOpt(QWidget& window, const std::string& optionKey,
                        const std::string& formKey) = 0;
    // Builds the visible bar "TLB2" of the bar's window (its parent) from the hidden bar, with
    // tooltips from the resource texts.
    virtual void SetTlb(ButtonBar& tlb) = 0;
    // Lays out the bar "TLB2" at the top, the panel "Pic" under it and the status bar "Stb" at
    // the bottom, and keeps the tree of that name within the window.
    virtual void frmResizeNew(QWidget& window, const std::string& formKey,
                              const std::string& treeName) = 0;
    // Splitter drag on "PicSeparate": phase 1 down, 2 move, 3 up; x and y in twips from the
    // splitter's top left corner. On release the tree takes the new width and the window is
    // laid out again.
    virtual void MouseEvent(QWidget& window, short phase, short button, short shift, float x,
                            float y, const std::string& formKey) = 0;
    virtual void SetTreeStyle(YsTreeView& tree, QWidget& window) = 0;
    // Column widths and alignments of the grid for the recordset's fields (the grid's columns
    // from 1 onwards hold the fields in order; column 0 is the serial number).
    virtual void FormatGrid(FlexGrid& grid, const std::shared_ptr<IRecordset>& recordset,
                            const std::string& options = "") = 0;
    // Display text of a cell: Null as "", quantities with the digits the style element gives
    // for the field (<style><itopsum>2</itopsum>...), other numbers as they are, dates as
    // yyyy-mm-dd.
    virtual std::string FormatGridTxt(const Variant& value, const std::string& field,
                                      const pugi::xml_node& style) = 0;

    // Editor framework.

    // A host picture by number: 101 is the picture of every reference ("...") button.
    virtual QIcon GetRes(int id) = 0;
    // The content of a number box (a QLineEdit) normalised in place: a number is shown with the
    // decimals of the box's "digits" property when it has one; other text is left as it is.
    virtual void FormatCon(QWidget& box) = 0;
    // The fields a reference of that kind ("person", "inventory", "warehouse") is matched on,
    // comma separated.
    virtual std::string GetFilterFlds(const std::string& referenceType) = 0;
    // From the box's text (a QLineEdit), a condition on the filter fields for the picker's query
    // ("1=1" for an empty box), every literal escaped; table names the table the fields belong to.
    virtual void CreateMatchStr(QWidget& box, const std::string& filterFields, std::string& match,
                                const std::string& table) = 0;
    // Captions of the window's labels for the fields of that kind ("inventory") from the column
    // dictionary: a label named "Lab" or "Lbl" + field takes the caption of that field.
    virtual void SetLabelCaption(IClsCommon& db, QWidget& window, const std::string& kind) = 0;
    // The editor's option state; nothing the user sees yet.
    virtual void FrmOptInit(QWidget& window, int kind) = 0;
    // The look of the window's bar "TLB2": its pictures, and captions under them when
    // textButtons.
    virtual void SetYsTlbStyle(QWidget& window, bool textButtons) = 0;
    // The look of the editor's bar "TLB2" over its field frame.
    virtual void SetYsTlbStyleNew(QWidget& window, bool textButtons, QWidget& styleFrame,
                                  QWidget& fieldFrame) = 0;
    // The bar "TLB2" shows the hidden bar's current states again.
    virtual void ReRefreshYsTlb(QWidget& window) = 0;
    virtual void YsTlbResize(QWidget& window) = 0;
    // Before a row move: when the window has unsaved changes (its "SaveRs" button is enabled),
    // asks whether to save them; yes runs the save (the bar's "SaveRs" button) and answers whether
    // it succeeded, no answers true (the changes are dropped), cancel answers false.
    virtual bool isSaveRs(QWidget& window) = 0;
    // The same before a close; a cancelled or failed save sets cancel, which keeps the window.
    virtual bool isSaveRs(QWidget& window, bool& cancel, int unloadMode) = 0;
    // True when the key (host codes) changes the data of the focused box of the window: a
    // character, Backspace, Delete, Ctrl+V or Ctrl+X in an editable line edit.
    virtual bool FrmKeyDown(QWidget& window, int keyCode, int shift) = 0;

    // Grid searching and sorting. The grid's columns are the fields FormatGrid recorded.

    // The find dialog over the fields of the window's grid ("Grid") under the caption's set-up.
    // condition is "" when the user cancels, else an SQL condition over the columns of the grid's
    // query with every value quoted.
    virtual void Find(ILogin& login, const std::string& caption, QWidget& window,
                      std::string& condition) = 0;
    // Lets the user choose which fields the find dialog of the caption offers; kept per user.
    virtual void FindSet(ILogin& login, const std::string& caption, QWidget& window) = 0;
    // The locate dialog: moves the grid's current row to the row found and scrolls it into view.
    virtual void FindPos(QWidget& window, FlexGrid& grid) = 0;
    // The same over a list: moves the list's current item to the item found.
    virtual void FindPos(QWidget& window, YsListView& list) = 0;
    // Sorts the grid's rows by its current column: 1 ascending, 2 descending.
    virtual void GridSort(QWidget& window, FlexGrid& grid, int order) = 0;
    // Sorts by the column and order an item key of the sort pop-up names.
    virtual void GridSortNew(QWidget& window, FlexGrid& grid, const std::string& itemKey) = 0;
    // On a right-button release (button 2, x and y in twips from the grid's top left corner)
    // shows the window's pop-up menu "PopMenuMgr" with the sorts of the column under the mouse;
    // other buttons do nothing.
    virtual void ShowPopupMenu(QWidget& window, FlexGrid& grid, short button, short shift, float x,
                               float y) = 0;

    // Printing and export.

    // The print style stored under the name, or a default one for the grid's columns.
    virtual void GetPrnStyle(const std::string& reserved, std::string& style,
                             const std::string& styleName, IClsCommon& db, FlexGrid& grid) = 0;
    virtual void SavePrnStyle(IClsCommon& db, const std::string& styleName,
                              const std::string& style) = 0;
    // Appends to data, after its opening tag, the title, the account, the user, the business
    // date, the warehouse (the heading's text for the warehouse the rows are of, "" for a list
    // that names none), whether serial numbers are printed, and the grid's header and rows.
    virtual void GetData(std::string& data, const std::string& warehouse,
                         const std::string& reserved2, const std::string& tableTitle,
                         const std::string& accId, const std::string& userId,
                         const std::string& userName, IObject* reserved3, IClsCommon& db,
                         FlexGrid& grid) = 0;
    // The types and sizes of the grid's columns for export, from a result with the grid's fields.
    virtual void GetTypeSize(std::string& types, std::string& sizes,
                             const std::shared_ptr<IRecordset>& recordset, FlexGrid& grid) = 0;

    // Multi-record modify.

    // The reference picker of a kind ("Inventory", "warehouse", "person", in any case) over the
    // objects the authorisation condition allows, shown beside the entry control. ok tells whether
    // an object was chosen; code and name are its code and name, recordset its row.
    virtual void showRef(QWidget& control, const std::string& kind, ILogin& login, bool& ok,
                         const std::string& authCondition, std::string& code, std::string& name,
                         std::shared_ptr<IRecordset>& recordset) = 0;
    // Whether value is the code of an object of the kind ("warehouse", "inventory", "Person", in
    // any case) among those the authorisation condition allows. emptyRefused: an empty value is
    // refused too (a key that must name an object); otherwise an empty value passes (it clears
    // the field). On a refusal the host tells the user why, naming the caption, and answers false.
    virtual bool IFExists(IClsCommon& db, const std::string& kind, const std::string& caption,
                          const std::string& value, bool emptyRefused, const std::string& reserved,
                          const std::string& authCondition) = 0;
    // Whether value is a date the host's date rule reads (its forms, its years, a real day);
    // otherwise the host tells the user, naming the caption, and answers false.
    virtual bool CheckDateStyle(const std::string& value, const std::string& caption) = 0;
    // A new, empty failure report: fields and captions are comma-separated lists of one length.
    virtual void ModifyInitMsg(std::shared_ptr<IRecordset>& report, const std::string& fields,
                               const std::string& captions) = 0;
    // One row of the report: one text per field, in the fields' order.
    virtual void ModifyAddMsg(std::shared_ptr<IRecordset>& report,
                              const std::vector<std::string>& values) = 0;
    // Shows the report modally (through ShowModal) over the window; the user can copy its rows
    // and export them to a file.
    virtual void ModifyShowMsg(QWidget& window, ILogin& login, IClsCommon& db,
                               std::shared_ptr<IRecordset>& report) = 0;
};

}  // namespace zel
