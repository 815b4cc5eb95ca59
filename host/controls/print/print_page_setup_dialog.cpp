#include "host/controls/print/print_page_setup_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "host/objects/resource_texts.h"

namespace zel {

PrintPageSetupDialog::PrintPageSetupDialog(const PrintStyle& style,
                                           const std::vector<std::string>& captions,
                                           QWidget* parent)
    : QDialog(parent), style_(style) {
    setWindowTitle(ResourceQString("Zel.HOST.PRINT.setup_title"));
    auto* settings = new QVBoxLayout;
    settings->addWidget(MakePaperBox());
    settings->addWidget(MakeMarginsBox());
    settings->addStretch(1);
    auto* sides = new QHBoxLayout;
    sides->addLayout(settings);
    sides->addWidget(MakeColumnsBox(captions), 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(ResourceQString("Zel.HOST.PRINT.ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(ResourceQString("Zel.HOST.PRINT.cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sides, 1);
    layout->addWidget(buttons);
}

QWidget* PrintPageSetupDialog::MakePaperBox() {
    auto* box = new QGroupBox(ResourceQString("Zel.HOST.PRINT.paper_box"), this);
    auto* form = new QFormLayout(box);
    paper_ = new QComboBox(box);
    paper_->setObjectName(QStringLiteral("paper"));
    for (const auto paper : PrintPaperSizes()) {
        paper_->addItem(QPageSize::name(paper), static_cast<int>(paper));
    }
    paper_->setCurrentIndex(paper_->findData(static_cast<int>(style_.paper)));
    form->addRow(ResourceQString("Zel.HOST.PRINT.paper"), paper_);
    portrait_ = new QRadioButton(ResourceQString("Zel.HOST.PRINT.portrait"), box);
    portrait_->setObjectName(QStringLiteral("portrait"));
    landscape_ = new QRadioButton(ResourceQString("Zel.HOST.PRINT.landscape"), box);
    landscape_->setObjectName(QStringLiteral("landscape"));
    (style_.orientation == QPageLayout::Landscape ? landscape_ : portrait_)->setChecked(true);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(portrait_);
    orientation->addWidget(landscape_);
    form->addRow(ResourceQString("Zel.HOST.PRINT.orientation"), orientation);
    fontSize_ = new QSpinBox(box);
    fontSize_->setObjectName(QStringLiteral("fontSize"));
    fontSize_->setRange(PrintStyle::kMinFontSize, PrintStyle::kMaxFontSize);
    fontSize_->setValue(style_.fontSize);
    form->addRow(ResourceQString("Zel.HOST.PRINT.font_size"), fontSize_);
    repeatHeader_ = new QCheckBox(ResourceQString("Zel.HOST.PRINT.repeat_header"), box);
    repeatHeader_->setObjectName(QStringLiteral("repeatHeader"));
    repeatHeader_->setChecked(style_.repeatHeader);
    form->addRow(repeatHeader_);
    titleOnEveryPage_ = new QCheckBox(ResourceQString("Zel.HOST.PRINT.title_every_page"), box);
    titleOnEveryPage_->setObjectName(QStringLiteral("titleOnEveryPage"));
    titleOnEveryPage_->setChecked(style_.titleOnEveryPage);
    form->addRow(titleOnEveryPage_);
    return box;
}

QDoubleSpinBox* PrintPageSetupDialog::MarginBox(const char* name, double mm) {
    auto* box = new QDoubleSpinBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(0, PrintStyle::kMaxMarginMm);
    box->setDecimals(1);
    box->setValue(mm);
    return box;
}

QWidget* PrintPageSetupDialog::MakeMarginsBox() {
    auto* box = new QGroupBox(ResourceQString("Zel.HOST.PRINT.margins_box"), this);
    auto* form = new QFormLayout(box);
    marginLeft_ = MarginBox("marginLeft", style_.marginsMm.left());
    marginTop_ = MarginBox("marginTop", style_.marginsMm.top());
    marginRight_ = MarginBox("marginRight", style_.marginsMm.right());
    marginBottom_ = MarginBox("marginBottom", style_.marginsMm.bottom());
    form->addRow(ResourceQString("Zel.HOST.PRINT.margin_left"), marginLeft_);
    form->addRow(ResourceQString("Zel.HOST.PRINT.margin_top"), marginTop_);
    form->addRow(ResourceQString("Zel.HOST.PRINT.margin_right"), marginRight_);
    form->addRow(ResourceQString("Zel.HOST.PRINT.margin_bottom"), marginBottom_);
    return box;
}

QWidget* PrintPageSetupDialog::MakeColumnsBox(const std::vector<std::string>& captions) {
    auto* box = new QGroupBox(ResourceQString("Zel.HOST.PRINT.columns_box"), this);
    auto* layout = new QVBoxLayout(box);
    columns_ = new QListWidget(box);
    columns_->setObjectName(QStringLiteral("columns"));
    for (const auto& caption : captions) {
        auto* item = new QListWidgetItem(QString::fromStdString(caption), columns_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(style_.Prints(caption) ? Qt::Checked : Qt::Unchecked);
    }
    layout->addWidget(columns_);
    return box;
}

PrintStyle PrintPageSetupDialog::Style() const {
    PrintStyle style = style_;
    style.paper = static_cast<QPageSize::PageSizeId>(paper_->currentData().toInt());
    style.orientation = landscape_->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    style.marginsMm = QMarginsF(marginLeft_->value(), marginTop_->value(), marginRight_->value(),
                                marginBottom_->value());
    style.fontSize = fontSize_->value();
    style.repeatHeader = repeatHeader_->isChecked();
    style.titleOnEveryPage = titleOnEveryPage_->isChecked();
    style.columns.clear();
    for (int row = 0; row < columns_->count(); ++row) {
        const QListWidgetItem* item = columns_->item(row);
        style.columns.push_back({item->text().toStdString(), item->checkState() == Qt::Checked});
    }
    return style;
}

}  // namespace zel
