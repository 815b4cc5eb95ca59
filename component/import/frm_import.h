#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/component_context.h"
#include "import/import_apply.h"
#include "import/import_mapping_store.h"
#include "import/import_preview.h"
#include "import/import_preview_list.h"
#include "import/import_source.h"
#include "mainwindow/list_window.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace zel {
class ProgressStrip;
}

namespace korvel {

class ImportMappingBar;

// The import of one file: what was detected in it, the mapping of its columns (corrected here and
// remembered), and the preview of its rows, judged against the database before anything is
// written: each row new, changed (old → new), unchanged or refused with the reason, counted per
// kind and filtered by kind. The user then writes the new and changed rows all or nothing, or the
// valid rows only, saves the refused rows to correct them, or prints and exports the preview as
// the other lists. Reading and writing show their progress and can be cancelled.
class FrmImport final : public ListWindow {
    Q_OBJECT

public:
    // defaultWarehouse: the warehouse of rows that name none, the one chosen in the main window.
    // refreshMain re-reads the main grid after rows were written.
    FrmImport(ComponentContext& context, ImportSource source, std::string defaultWarehouse,
              std::function<void()> refreshMain, QWidget* parent = nullptr);

    // Reads and judges the file anew with the mapping shown; a newer preview, a cancel or the
    // window's closing stops it part way.
    void Query() override;
    // Writes the preview's new and changed rows under the edit lock; kAllOrNothing writes
    // nothing while any row is refused.
    void Apply(ImportApplyMode mode);
    // Writes the refused rows with their reasons to a file the user names.
    void SaveRefusedRows();

    const ImportPreviewResult& Preview() const { return preview_; }
    ImportMappingBar& MappingBar() { return *mapping_; }
    QComboBox& KindFilter() { return *kind_; }
    QLabel& Detected() { return *detected_; }
    zel::ProgressStrip& Progress() { return *progress_; }
    QPushButton& ApplyAllButton() { return *applyAll_; }
    QPushButton& ApplyValidButton() { return *applyValid_; }
    QPushButton& SaveRefusedButton() { return *saveRefused_; }

protected:
    std::size_t RowCount() const override { return shown_.size(); }
    std::vector<std::string> CellsOf(std::size_t row) const override;
    PrintSubject Subject() const override;
    void ReorderRows(const std::vector<int>& sequence) override;

private:
    void CreateControls();
    void ReadHeader();
    void ShowPreview();
    void ShowKind();
    void ShowCounts();
    void SetBusy(bool busy);
    void ShowApplied(const ImportApplyResult& result);

    ImportSource source_;
    std::string defaultWarehouse_;
    std::function<void()> refreshMain_;
    ImportMappingStore store_;
    ImportPreviewCaptions captions_;
    std::vector<std::string> header_;
    // Why the file cannot be previewed at all; empty when it can.
    std::string openError_;
    ImportPreviewResult preview_;
    // The places in preview_.rows of the rows the grid shows, in the grid's order.
    std::vector<std::size_t> shown_;
    bool busy_ = false;
    QLabel* file_ = nullptr;
    QLabel* detected_ = nullptr;
    ImportMappingBar* mapping_ = nullptr;
    QComboBox* kind_ = nullptr;
    zel::ProgressStrip* progress_ = nullptr;
    QPushButton* applyAll_ = nullptr;
    QPushButton* applyValid_ = nullptr;
    QPushButton* saveRefused_ = nullptr;
};

}  // namespace korvel
