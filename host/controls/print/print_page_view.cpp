#include "host/controls/print/print_page_view.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "host/controls/print/print_document.h"

namespace zel {
namespace {

constexpr double kPointsPerInch = 72.0;

}  // namespace

PrintPageView::PrintPageView(const PrintDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    resize(sizeHint());
}

void PrintPageView::SetPage(int page) {
    page = std::clamp(page, 0, document_.PageCount() - 1);
    if (page != page_) {
        page_ = page;
        update();
    }
}

void PrintPageView::SetZoom(double zoom) {
    if (zoom != zoom_) {
        zoom_ = zoom;
        resize(sizeHint());
        updateGeometry();
        update();
    }
}

double PrintPageView::PixelsPerPoint() const {
    return logicalDpiX() / kPointsPerInch;
}

QSize PrintPageView::PagePixels() const {
    const QSizeF paper = document_.PaperSize() * (zoom_ * PixelsPerPoint());
    return QSize(static_cast<int>(std::ceil(paper.width())),
                 static_cast<int>(std::ceil(paper.height())));
}

QSize PrintPageView::sizeHint() const {
    return PagePixels();
}

const QImage& PrintPageView::PictureOf(int page) {
    const auto found = std::find_if(cache_.begin(), cache_.end(), [&](const Picture& picture) {
        return picture.page == page && picture.zoom == zoom_;
    });
    if (found != cache_.end()) {
        return found->image;
    }
    QImage image(PagePixels(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double scale = zoom_ * PixelsPerPoint();
    painter.scale(scale, scale);
    document_.PaintPage(painter, page);
    painter.end();
    if (cache_.size() == kCachedPages) {
        cache_.pop_front();
    }
    cache_.push_back({page, zoom_, std::move(image)});
    return cache_.back().image;
}

void PrintPageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), PictureOf(page_));
}

}  // namespace zel
