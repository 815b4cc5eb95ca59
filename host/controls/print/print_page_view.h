#pragma once

#include <QImage>
#include <QWidget>
#include <deque>

namespace zel {

class PrintDocument;

// One page of a print document on the screen, at a zoom where 1 is the paper's real size. The
// page is painted when it is first shown; the last few pages painted are kept as pictures, so
// that paging back and forth stays quick and memory does not grow with the pages seen.
class PrintPageView final : public QWidget {
    Q_OBJECT

public:
    static constexpr std::size_t kCachedPages = 3;

    PrintPageView(const PrintDocument& document, QWidget* parent);

    int Page() const { return page_; }
    void SetPage(int page);
    double Zoom() const { return zoom_; }
    void SetZoom(double zoom);
    // Screen pixels per point at zoom 1.
    double PixelsPerPoint() const;
    std::size_t CachedPages() const { return cache_.size(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Picture {
        int page;
        double zoom;
        QImage image;
    };

    QSize PagePixels() const;
    const QImage& PictureOf(int page);

    const PrintDocument& document_;
    int page_ = 0;
    double zoom_ = 1;
    std::deque<Picture> cache_;
};

}  // namespace zel
