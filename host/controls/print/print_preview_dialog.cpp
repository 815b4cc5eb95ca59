#include "host/controls/print/print_preview_dialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "host/controls/print/print_document.h"
#include "host/controls/print/print_page_view.h"
#include "host/objects/resource_texts.h"

namespace zel {
namespace {

constexpr int kInitialWidth = 1000;
constexpr int kInitialHeight = 760;
// Pixels left around the page when it is fitted to the window.
constexpr int kFitMargin = 24;
const QColor kDeskColor(128, 128, 128);

}  // namespace

PrintPreviewDialog::PrintPreviewDialog(const PrintDocument& document, std::function<void()> print,
                                       QWidget* parent)
    : QDialog(parent),
      document_(document),
      print_(std::move(print)),
      view_(new PrintPageView(document, this)),
      scroll_(new QScrollArea(this)) {
    setWindowTitle(ResourceQString("Zel.HOST.PRINT.preview_title"));
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    QPalette desk = scroll_->palette();
    desk.setColor(QPalette::Dark, kDeskColor);
    scroll_->setPalette(desk);
    scroll_->setWidget(view_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(MakeBar());
    layout->addWidget(scroll_, 1);
    resize(kInitialWidth, kInitialHeight);
    ShowPageState();
}

QToolButton* PrintPreviewDialog::AddButton(const char* name, const char* textKey) {
    auto* button = new QToolButton(bar_);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(ResourceQString(textKey));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    bar_->layout()->addWidget(button);
    return button;
}

QWidget* PrintPreviewDialog::MakeBar() {
    bar_ = new QWidget(this);
    auto* layout = new QHBoxLayout(bar_);
    layout->setContentsMargins(6, 4, 6, 4);
    connect(AddButton("print", "Zel.HOST.PRINT.print"), &QToolButton::clicked, this, [this] {
        if (print_) {
            print_();
        }
    });
    connect(AddButton("first", "Zel.HOST.PRINT.first_page"), &QToolButton::clicked, this,
            [this] { ShowPage(0); });
    connect(AddButton("previous", "Zel.HOST.PRINT.previous_page"), &QToolButton::clicked, this,
            [this] { ShowPage(Page() - 1); });
    pageNumber_ = new QSpinBox(bar_);
    pageNumber_->setObjectName(QStringLiteral("pageNumber"));
    pageNumber_->setRange(1, document_.PageCount());
    pageNumber_->setKeyboardTracking(false);
    layout->addWidget(pageNumber_);
    pageCount_ = new QLabel(bar_);
    layout->addWidget(pageCount_);
    connect(pageNumber_, &QSpinBox::valueChanged, this,
            [this](int number) { ShowPage(number - 1); });
    connect(AddButton("next", "Zel.HOST.PRINT.next_page"), &QToolButton::clicked, this,
            [this] { ShowPage(Page() + 1); });
    connect(AddButton("last", "Zel.HOST.PRINT.last_page"), &QToolButton::clicked, this,
            [this] { ShowPage(document_.PageCount() - 1); });
    connect(AddButton("zoomIn", "Zel.HOST.PRINT.zoom_in"), &QToolButton::clicked, this,
            &PrintPreviewDialog::ZoomIn);
    connect(AddButton("zoomOut", "Zel.HOST.PRINT.zoom_out"), &QToolButton::clicked, this,
            &PrintPreviewDialog::ZoomOut);
    connect(AddButton("fit", "Zel.HOST.PRINT.fit_page"), &QToolButton::clicked, this,
            &PrintPreviewDialog::FitPage);
    layout->addStretch(1);
    connect(AddButton("close", "Zel.HOST.PRINT.close"), &QToolButton::clicked, this,
            &QDialog::reject);
    return bar_;
}

int PrintPreviewDialog::Page() const {
    return view_->Page();
}

void PrintPreviewDialog::ShowPage(int page) {
    view_->SetPage(page);
    ShowPageState();
    scroll_->verticalScrollBar()->setValue(0);
}

double PrintPreviewDialog::Zoom() const {
    return view_->Zoom();
}

void PrintPreviewDialog::ZoomIn() {
    SetZoom(Zoom() * kZoomStep);
}

void PrintPreviewDialog::ZoomOut() {
    SetZoom(Zoom() / kZoomStep);
}

void PrintPreviewDialog::FitPage() {
    const QSize room = scroll_->maximumViewportSize() - QSize(kFitMargin, kFitMargin);
    const QSizeF page = document_.PaperSize() * view_->PixelsPerPoint();
    SetZoom(std::min(room.width() / page.width(), room.height() / page.height()));
}

void PrintPreviewDialog::SetZoom(double zoom) {
    view_->SetZoom(std::clamp(zoom, kMinZoom, kMaxZoom));
}

void PrintPreviewDialog::ShowPageState() {
    const QSignalBlocker quiet(pageNumber_);
    pageNumber_->setValue(Page() + 1);
    pageCount_->setText(
        ResourceQString("Zel.HOST.PRINT.page_count", {std::to_string(document_.PageCount())}));
}

void PrintPreviewDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!fitted_) {
        fitted_ = true;
        FitPage();
    }
}

void PrintPreviewDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageDown:
            ShowPage(Page() + 1);
            return;
        case Qt::Key_PageUp:
            ShowPage(Page() - 1);
            return;
        case Qt::Key_Home:
            ShowPage(0);
            return;
        case Qt::Key_End:
            ShowPage(document_.PageCount() - 1);
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

}  // namespace zel
