#pragma once

#include <QPointer>
#include <QToolBar>
#include <map>
#include <string>

#include "host/controls/button_bar.h"

namespace zel {

// The visible button bar of a window, built from its hidden ButtonBar: one tool button per
// button, with the bar's pictures, and a separator per separator. It follows later changes of the
// bar's buttons (enabled, visible, caption, tooltip, picture) and of its set of buttons.
class YsToolbar final : public QToolBar {
    Q_OBJECT

public:
    struct ButtonTexts {
        std::string caption;
        std::string toolTip;
    };

    explicit YsToolbar(QWidget* parent = nullptr);

    // Texts by button key become the captions and tooltips of the bar's buttons; buttons without
    // an entry keep their own. The bar must outlive this toolbar or be cleared first.
    void Build(ButtonBar& bar, const std::map<std::string, ButtonTexts>& texts = {});
    // Captions shown under the pictures.
    bool TextButtons() const;
    void SetTextButtons(bool textButtons);
    // In twips; 0 while hidden.
    double Height() const;
    // The tool button's action of a button key, or nullptr.
    QAction* Action(const std::string& key) const;

signals:
    void ButtonClick(const std::string& key, const std::string& caption);

private:
    void Rebuild();
    void Refresh(const ToolbarButton& button, QAction& action) const;

    QPointer<ButtonBar> bar_;
    std::map<std::string, QAction*> actionsByKey_;
};

}  // namespace zel
