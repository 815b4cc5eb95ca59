#include "import/import_mapping_bar.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <algorithm>

#include "core/correspondence_fields.h"

namespace korvel {
namespace {

constexpr int kChoicePixels = 120;
// The data of the "ignore" choice; a field's is its place in fields_.
constexpr int kIgnored = -1;

}  // namespace

ImportMappingBar::ImportMappingBar(zel::IPub& pub, const FieldCatalogue& catalogue, QWidget* parent)
    : QWidget(parent), ignored_(pub.GetResString("Zel.AA.WHINVCONTRAPOSE.IMPORT_WINDOW.ignore")) {
    for (const char* key : {"cWhCode", "cInvCode"}) {
        fields_.push_back(FieldNamed(key));
    }
    const FieldList& imported = ImportedFields();
    fields_.insert(fields_.end(), imported.begin(), imported.end());
    for (const CorrespondenceField* field : fields_) {
        captions_.push_back(ImportFieldCaption(*field, catalogue, pub));
    }
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    columns_ = new QWidget(scroll);
    scroll->setWidget(columns_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

void ImportMappingBar::Show(const std::vector<std::string>& header,
                            const ImportColumnMapping& mapping) {
    const QObjectList shown = columns_->children();
    qDeleteAll(shown);
    choices_.clear();
    auto* grid = new QGridLayout(columns_);
    grid->setContentsMargins(0, 0, 0, 0);
    for (std::size_t column = 0; column < header.size(); ++column) {
        const int at = static_cast<int>(column);
        auto* caption = new QLabel(QString::fromStdString(header[column]), columns_);
        caption->setToolTip(caption->text());
        grid->addWidget(caption, 0, at);
        auto* choice = new QComboBox(columns_);
        choice->setObjectName(QString("FieldChoice%1").arg(column));
        choice->setMinimumWidth(kChoicePixels);
        choice->addItem(QString::fromStdString(ignored_), kIgnored);
        for (std::size_t index = 0; index < fields_.size(); ++index) {
            choice->addItem(QString::fromStdString(captions_[index]), static_cast<int>(index));
        }
        const CorrespondenceField* field =
            column < mapping.ColumnCount() ? mapping.FieldOf(column) : nullptr;
        const auto chosen = std::find(fields_.begin(), fields_.end(), field);
        choice->setCurrentIndex(
            chosen == fields_.end() ? 0 : static_cast<int>(chosen - fields_.begin()) + 1);
        connect(choice, &QComboBox::currentIndexChanged, this, [this] { emit MappingChanged(); });
        grid->addWidget(choice, 1, at);
        choices_.push_back(choice);
    }
    grid->setColumnStretch(static_cast<int>(header.size()), 1);
}

ImportColumnMapping ImportMappingBar::Mapping() const {
    std::vector<const CorrespondenceField*> fieldOfColumn;
    for (const QComboBox* choice : choices_) {
        const int index = choice->currentData().toInt();
        fieldOfColumn.push_back(index == kIgnored ? nullptr
                                                  : fields_[static_cast<std::size_t>(index)]);
    }
    return ImportColumnMapping(std::move(fieldOfColumn));
}

}  // namespace korvel
