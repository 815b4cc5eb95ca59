#pragma once

#include <QLabel>
#include <string>

namespace zel {

// A caption label: the window caption panel's title and progress texts.
class YsLabel final : public QLabel {
    Q_OBJECT

public:
    explicit YsLabel(QWidget* parent = nullptr);

    std::string Caption() const { return text().toStdString(); }
    // Shown as plain text, never as markup: captions come from data and resource texts.
    void SetCaption(const std::string& caption) { setText(QString::fromStdString(caption)); }
};

}  // namespace zel
