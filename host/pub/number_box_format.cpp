#include "host/pub/number_box_format.h"

#include <QLineEdit>
#include <QVariant>
#include <limits>
#include <optional>

#include "host/pub/decimal_text.h"

namespace zel {
namespace {

std::optional<short> DigitsOf(const QLineEdit& box) {
    const QVariant digits = box.property(kDigitsProperty);
    bool ok = false;
    const int value = digits.toInt(&ok);
    // Negative digits, as DecimalText reads them, ask for no fixed decimals.
    if (!digits.isValid() || !ok || value < 0 || value > std::numeric_limits<short>::max()) {
        return std::nullopt;
    }
    return static_cast<short>(value);
}

}  // namespace

void FormatNumberBox(QWidget& box) {
    auto* edit = qobject_cast<QLineEdit*>(&box);
    if (edit == nullptr) {
        return;
    }
    const auto digits = DigitsOf(*edit);
    if (!digits) {
        return;
    }
    // DecimalText answers "" for what is no number, and for Inf and NaN, which are none either.
    const QString formatted =
        QString::fromStdString(DecimalText(Variant(edit->text().toStdString()), *digits));
    // An unchanged text is not set again: that would raise the box's change event for nothing.
    if (!formatted.isEmpty() && formatted != edit->text()) {
        edit->setText(formatted);
    }
}

}  // namespace zel
