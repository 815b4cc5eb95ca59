#pragma once

#include <QObject>
#include <string>

namespace zel {

// One entry of a ButtonBar: a button or a separator, found by its key.
class ToolbarButton final : public QObject {
    Q_OBJECT

public:
    enum Style : int { kButton = 0, kSeparator = 3 };

    ToolbarButton(std::string key, Style style, std::string imageKey, QObject* parent);

    const std::string& Key() const { return key_; }
    Style ButtonStyle() const { return style_; }
    const std::string& Image() const { return imageKey_; }
    void SetImage(const std::string& imageKey);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const std::string& ToolTipText() const { return toolTip_; }
    void SetToolTipText(const std::string& toolTip);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

signals:
    void Changed(zel::ToolbarButton& button);

private:
    std::string key_;
    Style style_;
    std::string imageKey_;
    std::string caption_;
    std::string toolTip_;
    bool enabled_ = true;
    bool visible_ = true;
};

}  // namespace zel
