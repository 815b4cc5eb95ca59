#pragma once

#include <ostream>

namespace zel::test {

// What a date typed into any field becomes: the host's date reading and the component's date
// check both run through these cases, so that a text one of them takes and the other refuses
// fails a test.
struct DateCase {
    const char* text;
    const char* stored;  // nullptr: refused
};

inline void PrintTo(const DateCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

inline constexpr DateCase kDateCases[] = {
    // The forms, all stored as yyyy-mm-dd.
    {"2026-03-05", "2026-03-05"},
    {"2026-3-5", "2026-03-05"},
    {"2026-03-5", "2026-03-05"},
    {"2026/3/5", "2026-03-05"},
    {"2026/03/05", "2026-03-05"},
    {" 2024-02-29 ", "2024-02-29"},
    // The years: from 1900 to 9999.
    {"1900-01-01", "1900-01-01"},
    {"9999-12-31", "9999-12-31"},
    {"1899-12-31", nullptr},
    {"1850-01-01", nullptr},
    {"0000-01-01", nullptr},
    // Days the calendar has.
    {"2000-02-29", "2000-02-29"},
    {"1900-02-29", nullptr},
    {"2023-02-29", nullptr},
    {"2026-02-30", nullptr},
    {"2026-04-31", nullptr},
    {"2026-13-01", nullptr},
    {"2026-00-10", nullptr},
    {"2026-01-00", nullptr},
    // Other writings.
    {"2026-3/5", nullptr},
    {"2026.3.5", nullptr},
    {"20260305", nullptr},
    {"26-3-5", nullptr},
    {"02026-3-5", nullptr},
    {"2026-003-05", nullptr},
    {"2026-3-005", nullptr},
    {"2026-+3-5", nullptr},
    {"2026-3-5 10:00", nullptr},
    {"2026-03-05x", nullptr},
    {"2026-03-05' or '1'='1", nullptr},
    {"today", nullptr},
    {"abcd-ef-gh", nullptr},
    {"２０２４-01-05", nullptr},
    {"", nullptr},
};

}  // namespace zel::test
