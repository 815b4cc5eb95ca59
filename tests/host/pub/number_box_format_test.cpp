#include "host/pub/number_box_format.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <optional>
#include <vector>

namespace zel {
namespace {

struct BoxCase {
    const char* text;
    QVariant digits;
    const char* shown;
};

TEST(FormatNumberBox, NumbersTakeTheBoxsDecimalsAndAnythingElseStaysAsTyped) {
    const QVariant two = QVariant::fromValue<short>(2);
    const std::vector<BoxCase> cases = {
        {"12.5", two, "12.50"},
        {" 7 ", two, "7.00"},
        {"-0.001", two, "0.00"},
        {"2.675", two, "2.68"},
        {"1e3", two, "1000.00"},
        {"12.345", QVariant::fromValue<short>(0), "12"},
        {"", two, ""},
        {"abc", two, "abc"},
        {"12,5", two, "12,5"},
        {"1.2.3", two, "1.2.3"},
        {"inf", two, "inf"},
        {"nan", two, "nan"},
        {"1e999", two, "1e999"},
        {"12.5", QVariant(), "12.5"},                      // a box of no number
        {"12.5", QVariant("two"), "12.5"},                 // unreadable digits
        {"12.5", QVariant::fromValue<short>(-1), "12.5"},  // no fixed decimals
        {"12.5", QVariant(100000), "12.5"},
    };
    for (const auto& c : cases) {
        QLineEdit box;
        box.setText(QString::fromUtf8(c.text));
        box.setProperty(kDigitsProperty, c.digits);
        FormatNumberBox(box);
        EXPECT_EQ(box.text().toStdString(), c.shown)
            << c.text << " " << c.digits.toString().toStdString();
    }
}

TEST(FormatNumberBox, AnUnchangedTextRaisesNoChange) {
    QLineEdit box("3.50");
    box.setProperty(kDigitsProperty, 2);
    QSignalSpy changes(&box, &QLineEdit::textChanged);
    FormatNumberBox(box);
    EXPECT_EQ(changes.count(), 0);
}

TEST(FormatNumberBox, OtherWidgetsAreLeftAlone) {
    QLabel label("12.5");
    label.setProperty(kDigitsProperty, 2);
    FormatNumberBox(label);
    EXPECT_EQ(label.text().toStdString(), "12.5");
}

}  // namespace
}  // namespace zel
