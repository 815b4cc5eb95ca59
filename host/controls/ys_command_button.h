#pragma once

#include <QIcon>
#include <QToolButton>

namespace zel {

// The small picture button at the end of a field that opens its picker. It is no tab stop, yet
// it takes the focus when clicked: the field's lost-focus check must see that the user went to
// the button, and not run a look-up the picker is about to make.
class YsCommandButton final : public QToolButton {
    Q_OBJECT

public:
    explicit YsCommandButton(QWidget* parent = nullptr);

    QIcon Picture() const { return icon(); }
    void SetPicture(const QIcon& picture) { setIcon(picture); }

signals:
    void Click();
};

}  // namespace zel
