#pragma once

#include <QLineEdit>
#include <QPalette>
#include <QString>
#include <optional>
#include <string>

namespace zel {

class EntryFilter;

// The edit box of the component's windows. It refuses at entry the characters that would break
// the SQL and XML texts built from its value (see EntryFilter): a typed one is swallowed, and
// pasted, dropped or inserted text comes in without them. Text set by the program through SetText
// is kept as given, since a window may show a name read from the database.
//
// A read-only box (setReadOnly, the host edit's Locked) shows the background of a disabled box,
// so that nobody takes it for a place to type, yet it stays enabled: its text keeps the colour of
// text to be read and can still be selected and copied, and its hint still shows.
class Edit final : public QLineEdit {
    Q_OBJECT
    // The host's number formatting reads a number box's decimals under this property name.
    Q_PROPERTY(short digits READ Digits WRITE SetDigits)

public:
    explicit Edit(QWidget* parent = nullptr);

    std::string Text() const { return text().toStdString(); }
    // Text longer than MaxLength is cut there, as the host's edit does.
    void SetText(const std::string& text);
    // A value kept with the box, such as the code behind a name it shows.
    const std::string& Tag() const { return tag_; }
    void SetTag(const std::string& tag) { tag_ = tag; }
    // The hint, shown as the box's tooltip, as plain text.
    const std::string& UTooltipText() const { return hint_; }
    void SetUTooltipText(const std::string& hint);
    // 0: no limit.
    int MaxLength() const;
    void SetMaxLength(int length);
    // The decimals a number box shows; -1 for a box that holds no number.
    short Digits() const { return digits_; }
    void SetDigits(short digits) { digits_ = digits; }

signals:
    // The text changed, by the user or by the program.
    void Change();
    // The focus went to another control of the window, or nowhere; QApplication::focusWidget()
    // is then already the control that got it, so a handler can tell where the user went. Not
    // raised while the window loses its activation or a popup opens (see IsLostFocus).
    void LostFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void OnTextChanged(const QString& text);
    void ShowReadOnlyLook();

    EntryFilter* filter_;
    // A refused character that was filtered out leaves the text as it was, yet Qt reports a change.
    QString raisedText_;
    std::string tag_;
    std::string hint_;
    short digits_ = -1;
    // While the box is read-only: the palette it had of its own before, to be given back.
    std::optional<QPalette> editablePalette_;
};

}  // namespace zel
