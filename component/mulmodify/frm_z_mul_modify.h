#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "core/component_context.h"
#include "core/window_frame.h"
#include "host/controls/find/find_ctl.h"

class QLabel;
class QLineEdit;

namespace korvel {

// The multi-record modify window: the condition control Find chooses the rows, the field and its
// new value; each confirmation runs one bulk change (Find_ModifyRequest).
class FrmZMulModify final : public QDialog {
    Q_OBJECT

public:
    // dataRefresh re-reads the main window's grid; it runs once at unload after a change.
    FrmZMulModify(ComponentContext& context, std::function<void()> dataRefresh,
                  QWidget* parent = nullptr);

    struct Reference {
        bool ok = false;
        std::string code;
        std::string name;
    };
    // The reference picker of a code field (warehouse, inventory, storekeeper) over the user's
    // read rights; any other field has none, which the user is told.
    Reference LookupReference(QWidget& control, const std::string& field);
    void Find_RefRequest(const std::string& field, std::string& code, QLineEdit& box);
    void Find_ModifyRequest(const std::string& condition, const std::string& caption,
                            const std::string& field, const std::string& value);

    bool ModifiedFlag() const { return modifiedFlag_; }
    zel::FindCtl& Find() { return *find_; }
    zel::YsFrmCaption& YsFrmCaptionMgr() { return frame_.CaptionManager(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;

private:
    void CreateControls();
    void ConnectControls();
    void Load();
    bool InitFind();
    void InitCaption();
    void OnKeyDown(int& keyCode, int shift);
    void Unload();

    ComponentContext& context_;
    std::function<void()> dataRefresh_;
    WindowFrame frame_;
    bool modifiedFlag_ = false;

    zel::FindCtl* find_ = nullptr;
    QLabel* scopeNote_ = nullptr;
};

}  // namespace korvel
