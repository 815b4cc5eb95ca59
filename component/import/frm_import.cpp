#include "import/frm_import.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common.h"
#include "core/form_key.h"
#include "host/controls/export/table_export.h"
#include "host/controls/progress_strip.h"
#include "import/import_mapping_bar.h"
#include "import/refused_rows_file.h"

namespace korvel {
namespace {

// The kind filter's choices after "all", in the order of ImportVerdict.
constexpr ImportVerdict kVerdicts[] = {ImportVerdict::kNew, ImportVerdict::kChanged,
                                       ImportVerdict::kUnchanged, ImportVerdict::kRefused};
constexpr int kAllKinds = -1;
constexpr int kSourceSpacingPixels = 24;
// Refused rows written at write time that the message names, the rest counted only.
constexpr std::size_t kNamedRefusals = 10;

}  // namespace

FrmImport::FrmImport(ComponentContext& context, ImportSource source, std::string defaultWarehouse,
                     std::function<void()> refreshMain, QWidget* parent)
    : ListWindow(context, kImportHelpKey, "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.title", {}, parent),
      source_(std::move(source)),
      defaultWarehouse_(std::move(defaultWarehouse)),
      refreshMain_(std::move(refreshMain)),
      store_(context.login.db, context.login.login->cUserId()),
      captions_(ImportPreviewCaptionsOf(*context.login.pub, context.catalogue)) {
    CreateControls();
    ReadHeader();
    ShowHeader(captions_.columns);
    SetBusy(false);
    resize(1100, 640);
}

void FrmImport::CreateControls() {
    file_ = new QLabel(this);
    file_->setObjectName("File");
    file_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    detected_ = new QLabel(this);
    detected_->setObjectName("Detected");
    auto* source = new QHBoxLayout;
    source->addWidget(file_);
    source->addSpacing(kSourceSpacingPixels);
    source->addWidget(detected_, 1);
    mapping_ = new ImportMappingBar(*Context().login.pub, Context().catalogue, this);
    mapping_->setObjectName("Mapping");
    connect(mapping_, &ImportMappingBar::MappingChanged, this, [this] { Query(); });
    auto* mapped = new QHBoxLayout;
    mapped->addWidget(new QLabel(
        QString::fromStdString(Text("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.mapping")), this));
    mapped->addWidget(mapping_, 1);
    kind_ = new QComboBox(this);
    kind_->setObjectName("KindFilter");
    kind_->addItem(QString::fromStdString(Text("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.all")),
                   kAllKinds);
    for (const ImportVerdict verdict : kVerdicts) {
        kind_->addItem(
            QString::fromStdString(captions_.verdicts[static_cast<std::size_t>(verdict)]),
            static_cast<int>(verdict));
    }
    connect(kind_, &QComboBox::currentIndexChanged, this, [this] { ShowKind(); });
    auto* shown = new QHBoxLayout;
    shown->addWidget(new QLabel(
        QString::fromStdString(Text("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.show")), this));
    shown->addWidget(kind_);
    shown->addWidget(&Count(), 1);
    progress_ = new zel::ProgressStrip(this);
    progress_->setObjectName("Progress");
    progress_->SetCancelCaption(Text("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.cancel"));
    shown->addWidget(progress_);
    auto* actions = new QHBoxLayout;
    applyAll_ = AddButton(*actions, "ApplyAllButton",
                          Text("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.apply_all"),
                          [this] { Apply(ImportApplyMode::kAllOrNothing); });
    applyValid_ = AddButton(*actions, "ApplyValidButton",
                            Text("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.apply_valid"),
                            [this] { Apply(ImportApplyMode::kValidRowsOnly); });
    saveRefused_ = AddButton(*actions, "SaveRefusedButton",
                             Text("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.save_refused"),
                             [this] { SaveRefusedRows(); });
    actions->addStretch(1);
    AddPrintAndCloseButtons(*actions);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(source);
    layout->addLayout(mapped);
    layout->addWidget(&Grid(), 1);
    layout->addLayout(shown);
    layout->addLayout(actions);
}

// The header and how the file is read are known from its opening; the mapping is the one kept
// for this header, or the one its captions match.
void FrmImport::ReadHeader() {
    const QString path = QString::fromStdString(source_.path);
    file_->setText(QString::fromStdString(Context().login.pub->GetResFormatString(
        "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.file", {QFileInfo(path).fileName().toStdString()})));
    file_->setToolTip(path);
    const auto reader = zel::OpenTableReader(path, source_.format, source_.sheet);
    if (reader->Error().kind != zel::TableReadError::Kind::kNone) {
        openError_ = reader->Error().message;
        return;
    }
    header_ = reader->Header();
    detected_->setText(QString::fromStdString(Context().login.pub->GetResFormatString(
        "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.detected", {reader->Summary()})));
    const auto kept = store_.Load(header_);
    mapping_->Show(header_, kept && kept->ColumnCount() == header_.size()
                                ? *kept
                                : ImportColumnMapping::Match(header_, Context().catalogue,
                                                             *Context().login.pub));
}

void FrmImport::Query() {
    const int query = BeginQuery();
    preview_ = {};
    shown_.clear();
    ShowHeader(captions_.columns);
    if (!openError_.empty()) {
        Count().setText(QString::fromStdString(openError_));
        return;
    }
    const auto reader =
        zel::OpenTableReader(QString::fromStdString(source_.path), source_.format, source_.sheet);
    SetBusy(true);
    progress_->Start(0);
    ImportPreviewRequest request{mapping_->Mapping(), defaultWarehouse_,
                                 [this, query](std::size_t read) {
                                     progress_->Advance(static_cast<int>(read));
                                     QCoreApplication::processEvents();
                                     return !Superseded(query) && !progress_->CancelRequested();
                                 }};
    ImportPreviewResult result;
    if (reader->Error().kind == zel::TableReadError::Kind::kNone) {
        result = ImportPreview(Context()).Run(*reader, request);
    } else {
        result.status = ImportPreviewResult::Status::kReadFailed;
        result.readError = reader->Error();
        result.message = result.readError.message;
    }
    // A newer preview has the window now, or the window closed.
    if (Superseded(query)) {
        return;
    }
    progress_->Finish();
    preview_ = std::move(result);
    SetBusy(false);
    ShowPreview();
}

void FrmImport::ShowPreview() {
    using Status = ImportPreviewResult::Status;
    switch (preview_.status) {
        case Status::kDone:
            ShowKind();
            return;
        case Status::kCancelled:
            Count().setText(QString::fromStdString(
                Text("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.preview_cancelled")));
            return;
        case Status::kMappingRefused:
            Count().setText(QString::fromStdString(preview_.message));
            return;
        case Status::kReadFailed:
        case Status::kDatabaseFailed:
            Count().setText(QString::fromStdString(preview_.message));
            ShowInfoMessage(*Context().login.pub, preview_.message);
            return;
    }
}

void FrmImport::ShowKind() {
    if (preview_.status != ImportPreviewResult::Status::kDone) {
        return;
    }
    const int kind = kind_->currentData().toInt();
    shown_ = RowsOfVerdict(preview_.rows,
                           kind == kAllKinds
                               ? std::nullopt
                               : std::optional<ImportVerdict>(static_cast<ImportVerdict>(kind)));
    ShowHeader(captions_.columns);
    AppendRows(0);
    ShowCounts();
}

void FrmImport::ShowCounts() {
    std::vector<std::string> counts;
    for (const ImportVerdict verdict : kVerdicts) {
        counts.push_back(std::to_string(preview_.Count(verdict)));
    }
    Count().setText(QString::fromStdString(Context().login.pub->GetResFormatString(
        "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.counts", counts)));
}

std::vector<std::string> FrmImport::CellsOf(std::size_t row) const {
    return ImportPreviewCells(preview_.rows[shown_[row]], captions_);
}

void FrmImport::ReorderRows(const std::vector<int>& sequence) {
    ReorderBySequence(shown_, sequence);
}

// While the file is read or written only cancel and close act; the buttons that write or save
// need a finished preview with rows for them.
void FrmImport::SetBusy(bool busy) {
    busy_ = busy;
    const bool done = !busy && preview_.status == ImportPreviewResult::Status::kDone;
    const bool writable =
        done && preview_.Count(ImportVerdict::kNew) + preview_.Count(ImportVerdict::kChanged) > 0;
    applyAll_->setEnabled(writable);
    applyValid_->setEnabled(writable);
    saveRefused_->setEnabled(done && preview_.Count(ImportVerdict::kRefused) > 0);
    mapping_->setEnabled(!busy);
    kind_->setEnabled(!busy);
}

void FrmImport::Apply(ImportApplyMode mode) {
    if (busy_ || preview_.status != ImportPreviewResult::Status::kDone) {
        return;
    }
    zel::IPub& pub = *Context().login.pub;
    const std::size_t refused = preview_.Count(ImportVerdict::kRefused);
    if (mode == ImportApplyMode::kAllOrNothing && refused > 0) {
        ShowInfoMessage(pub,
                        pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.refused_all",
                                               {std::to_string(refused)}));
        return;
    }
    store_.Save(header_, mapping_->Mapping());
    SetBusy(true);
    progress_->Start(static_cast<int>(preview_.Count(ImportVerdict::kNew) +
                                      preview_.Count(ImportVerdict::kChanged)));
    const ImportApplyCallbacks callbacks{
        [this](std::size_t done, std::size_t) { progress_->Advance(static_cast<int>(done)); },
        [this] {
            QCoreApplication::processEvents();
            return progress_->CancelRequested();
        }};
    const ImportApplyResult result = ApplyImport(Context().login, preview_.rows, mode, callbacks);
    progress_->Finish();
    SetBusy(false);
    ShowApplied(result);
}

// What was written shows at once in the main grid and, read again, in the preview.
void FrmImport::ShowApplied(const ImportApplyResult& result) {
    zel::IPub& pub = *Context().login.pub;
    switch (result.end) {
        case ImportApplyEnd::kCancelled:
            ShowInfoMessage(pub, Text("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.cancelled"));
            return;
        case ImportApplyEnd::kFailed:
            ShowInfoMessage(pub, result.error);
            return;
        case ImportApplyEnd::kApplied:
            break;
    }
    const std::size_t skipped = preview_.Count(ImportVerdict::kRefused) + result.refused.size();
    std::string message = pub.GetResFormatString(
        "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.done",
        {std::to_string(result.added), std::to_string(result.changed), std::to_string(skipped)});
    for (std::size_t index = 0; index < result.refused.size() && index < kNamedRefusals; ++index) {
        const ImportRowRefusal& row = result.refused[index];
        message += "\n" + pub.GetResFormatString("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.refused_row",
                                                 {std::to_string(row.sourceRow), row.warehouseCode,
                                                  row.inventoryCode, row.reason});
    }
    if (refreshMain_) {
        refreshMain_();
    }
    ShowInfoMessage(pub, message);
    Query();
}

void FrmImport::SaveRefusedRows() {
    if (busy_ || preview_.Count(ImportVerdict::kRefused) == 0) {
        return;
    }
    zel::IPub& pub = *Context().login.pub;
    const std::string name =
        QFileInfo(QString::fromStdString(source_.path)).completeBaseName().toStdString() +
        Text("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.refused_suffix");
    const auto target =
        zel::ChooseExportTarget([&](QDialog& dialog) { return pub.ShowModal(dialog, this); }, this,
                                name, zel::ExportKinds::kTables);
    if (!target) {
        return;
    }
    const RefusedRowsFormat format = target->format == zel::ExportFormat::kXlsx
                                         ? RefusedRowsFormat::kXlsx
                                         : RefusedRowsFormat::kCsv;
    std::string reason;
    if (!WriteRefusedRowsFile(target->path, format, header_, mapping_->Mapping(), preview_.rows,
                              pub, reason)) {
        ShowInfoMessage(
            pub, pub.GetResFormatString("Zel.HOST.EXPORT.write_failed", {target->path, reason}));
        return;
    }
    ShowInfoMessage(pub,
                    pub.GetResFormatString(
                        "Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.saved",
                        {std::to_string(preview_.Count(ImportVerdict::kRefused)), target->path}));
}

PrintSubject FrmImport::Subject() const {
    const std::string title = Text("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.print_title");
    return {title + " " + QFileInfo(QString::fromStdString(source_.path)).fileName().toStdString(),
            title, ImportPreviewColumnsQuery(), ""};
}

}  // namespace korvel
