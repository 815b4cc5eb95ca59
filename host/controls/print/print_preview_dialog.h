#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace zel {

class PrintDocument;
class PrintPageView;

// The print preview: one page of the document at a time, paged and zoomed from a bar of
// buttons (object names "first", "previous", "next", "last", "zoomIn", "zoomOut", "fit",
// "print", "close") and the page number box "pageNumber". Opens at the whole first page.
class PrintPreviewDialog final : public QDialog {
    Q_OBJECT

public:
    static constexpr double kZoomStep = 1.25;
    static constexpr double kMinZoom = 0.1;
    static constexpr double kMaxZoom = 4.0;

    // print is called by the print button, with the preview still open.
    PrintPreviewDialog(const PrintDocument& document, std::function<void()> print, QWidget* parent);

    // From 0.
    int Page() const;
    void ShowPage(int page);
    double Zoom() const;
    void ZoomIn();
    void ZoomOut();
    // The zoom at which the whole page fits in the window.
    void FitPage();
    PrintPageView& View() { return *view_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QToolButton* AddButton(const char* name, const char* textKey);
    QWidget* MakeBar();
    void SetZoom(double zoom);
    void ShowPageState();

    const PrintDocument& document_;
    std::function<void()> print_;
    PrintPageView* view_;
    QScrollArea* scroll_;
    QSpinBox* pageNumber_ = nullptr;
    QLabel* pageCount_ = nullptr;
    QWidget* bar_ = nullptr;
    bool fitted_ = false;
};

}  // namespace zel
