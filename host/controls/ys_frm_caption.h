#pragma once

#include <QObject>
#include <QPointer>
#include <string>

class QWidget;

namespace zel {

// Keeps the caption of a window: the text the window frame shows as its title.
class YsFrmCaption final : public QObject {
    Q_OBJECT

public:
    // Owned by the window.
    explicit YsFrmCaption(QWidget& window);

    std::string Caption() const;
    void SetCaption(const std::string& caption);

private:
    QPointer<QWidget> window_;
};

}  // namespace zel
