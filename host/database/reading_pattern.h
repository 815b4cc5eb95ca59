#pragma once

namespace zel {

// How a program reads an account's lists, which sets what its connections keep and plan for.
enum class ReadingPattern {
    // A window's: lists read again and again, and shown from their first rows while the rest
    // still come.
    kBrowsing,
    // A report's: each list read once, to its end, and written as it is read.
    kOnePass,
};

}  // namespace zel
