#pragma once

#include <string>

class QPrinter;

namespace zel {

class PrintDocument;

// Prints pages first to last (from 0) of the document on the printer, which takes the
// document's paper; false when the printer cannot be started.
bool PrintPages(const PrintDocument& document, QPrinter& printer, int first, int last);
// All pages as a PDF file at the path.
bool WritePrintPdf(const PrintDocument& document, const std::string& path);

}  // namespace zel
