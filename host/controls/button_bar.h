#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "host/controls/toolbar_button.h"

namespace zel {

class ImageList;

// The window's hidden bar of buttons: what buttons exist, in order, with their pictures and
// states. The visible YsToolbar is built from it and follows its changes.
class ButtonBar final : public QObject {
    Q_OBJECT

public:
    explicit ButtonBar(QObject* parent = nullptr);

    // Not owned; must outlive the bar's use. nullptr for none.
    void SetImageList(const ImageList* images) { images_ = images; }
    const ImageList* Images() const { return images_; }

    // Appends a button; nullptr, and nothing added, when a non-empty key is already taken.
    ToolbarButton* Add(const std::string& key, ToolbarButton::Style style,
                       const std::string& imageKey = {});
    void Clear();
    int Count() const { return static_cast<int>(buttons_.size()); }
    // From 1; nullptr outside 1..Count().
    ToolbarButton* Button(int index) const;
    // nullptr for an unknown or empty key.
    ToolbarButton* Buttons(const std::string& key) const;

signals:
    // Buttons were added or removed.
    void ButtonsChanged();

private:
    const ImageList* images_ = nullptr;
    std::vector<ToolbarButton*> buttons_;
};

}  // namespace zel
