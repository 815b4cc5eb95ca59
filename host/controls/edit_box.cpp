#include "host/controls/edit_box.h"

#include <QEvent>
#include <QKeyEvent>
#include <QTextDocument>
#include <algorithm>

#include "host/controls/entry_filter.h"
#include "host/controls/lost_focus.h"

namespace zel {
namespace {

// QLineEdit's own limit, which it treats as none.
constexpr int kNoLimit = 32767;

bool IsOnlyRefused(const QString& typed) {
    return !typed.isEmpty() && std::all_of(typed.begin(), typed.end(), EntryFilter::IsRefused);
}

}  // namespace

Edit::Edit(QWidget* parent) : QLineEdit(parent), filter_(new EntryFilter(this)) {
    setValidator(filter_);
    connect(this, &QLineEdit::textChanged, this, &Edit::OnTextChanged);
}

void Edit::SetText(const std::string& text) {
    const QString value = QString::fromStdString(text);
    // Held before it is set, so that the filter sees nothing entered.
    filter_->Hold(value);
    setText(value);
}

void Edit::SetUTooltipText(const std::string& hint) {
    hint_ = hint;
    // Escaped into rich text: a tooltip that merely looks like markup would otherwise be drawn as
    // markup.
    setToolTip(hint.empty()
                   ? QString()
                   : Qt::convertFromPlainText(QString::fromStdString(hint), Qt::WhiteSpaceNoWrap));
}

int Edit::MaxLength() const {
    return maxLength() >= kNoLimit ? 0 : maxLength();
}

void Edit::SetMaxLength(int length) {
    setMaxLength(length <= 0 ? kNoLimit : length);
}

void Edit::keyPressEvent(QKeyEvent* event) {
    if (IsOnlyRefused(event->text())) {
        // Swallowed whole: passed on, the key would still replace a selection with nothing.
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void Edit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (IsLostFocus(*event)) {
        emit LostFocus();
    }
}

void Edit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange) {
        ShowReadOnlyLook();
    }
}

// Only the background changes, and only in the groups an enabled box is drawn with, so that a
// read-only box that is also disabled looks disabled as any other.
void Edit::ShowReadOnlyLook() {
    if (isReadOnly() && !editablePalette_) {
        // An empty palette gives a box that inherited its colours back to its window.
        editablePalette_ = testAttribute(Qt::WA_SetPalette) ? palette() : QPalette();
        QPalette look = palette();
        const QBrush disabledBase = look.brush(QPalette::Disabled, QPalette::Base);
        look.setBrush(QPalette::Active, QPalette::Base, disabledBase);
        look.setBrush(QPalette::Inactive, QPalette::Base, disabledBase);
        setPalette(look);
    } else if (!isReadOnly() && editablePalette_) {
        setPalette(*editablePalette_);
        editablePalette_.reset();
    }
}

void Edit::OnTextChanged(const QString& text) {
    filter_->Hold(text);
    if (text != raisedText_) {
        raisedText_ = text;
        emit Change();
    }
}

}  // namespace zel
