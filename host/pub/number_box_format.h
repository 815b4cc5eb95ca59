#pragma once

class QWidget;

namespace zel {

// The decimals of a number box are kept in its dynamic property of this name (a short).
inline constexpr const char* kDigitsProperty = "digits";

// A line edit whose text is a number shows it with the decimals of its "digits" property.
// Empty text, text that is no number, a box without digits and any other widget are left alone:
// what cannot be read as a number is the database service's to refuse on save.
void FormatNumberBox(QWidget& box);

}  // namespace zel
