#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/controls/modal_shower.h"
#include "host/controls/print/print_data.h"

class QWidget;

namespace zel {

enum class ExportFormat { kCsv, kXlsx, kPdf };

struct ExportTarget {
    std::string path;
    ExportFormat format = ExportFormat::kCsv;
};

// The formats a save dialog offers: a table's, or a table's and the printed page's.
enum class ExportKinds { kTablesAndPdf, kTables };

// The save dialog, shown through showModal: the user picks the file's name and its format.
// nullopt when the user cancels.
std::optional<ExportTarget> ChooseExportTarget(const ModalShower& showModal, QWidget* parent,
                                               const std::string& suggestedName,
                                               ExportKinds kinds = ExportKinds::kTablesAndPdf);
// The name the save dialog suggests: the title, and the warehouse when the data names one,
// without characters a file name cannot hold.
std::string ExportFileName(const PrintData& data);
// Writes the data's header and rows as CSV or XLSX, each column as the types and sizes texts of
// the host's GetTypeSize describe it; false with the reason when the file cannot be written.
bool WriteTableFile(const ExportTarget& target, const PrintData& data, std::string_view types,
                    std::string_view sizes, std::string& error);

}  // namespace zel
