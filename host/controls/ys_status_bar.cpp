#include "host/controls/ys_status_bar.h"

#include <QLabel>

#include "host/controls/twips.h"

namespace zel {
namespace {

constexpr int kTickMilliseconds = 1000;

QLabel* NewPanel(QWidget* parent) {
    auto* panel = new QLabel(parent);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    return panel;
}

}  // namespace

YsStatusBar::YsStatusBar(QWidget* parent) : QStatusBar(parent), clock_(NewPanel(this)) {
    addPermanentWidget(clock_);
    timer_.setInterval(kTickMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &YsStatusBar::Tick);
    timer_.start();
}

std::string YsStatusBar::PanelText(int index) const {
    if (index < 1 || index > PanelCount()) {
        return {};
    }
    return panels_[static_cast<std::size_t>(index - 1)]->text().toStdString();
}

bool YsStatusBar::SetPanelText(int index, const std::string& text) {
    if (index < 1) {
        return false;
    }
    while (PanelCount() < index) {
        QLabel* panel = NewPanel(this);
        // The first panel takes the free width, as a message panel does.
        addWidget(panel, panels_.empty() ? 1 : 0);
        panels_.push_back(panel);
    }
    panels_[static_cast<std::size_t>(index - 1)]->setText(QString::fromStdString(text));
    return true;
}

void YsStatusBar::SetTimeText(const std::string& text) {
    timeText_ = text;
    ShowClock();
}

bool YsStatusBar::SetDisplayState(int state) {
    if (state != 0 && state != 1) {
        return false;
    }
    displayState_ = state;
    ShowClock();
    return true;
}

double YsStatusBar::Height() const {
    if (isHidden()) {
        return 0;
    }
    // Until the window is shown the bar has no laid-out height of its own yet.
    const int pixels = isVisible() ? height() : sizeHint().height();
    return Twips::ForScreen(screen()).FromPixelsY(pixels);
}

void YsStatusBar::ShowClock() {
    QString shown = QString::fromStdString(timeText_);
    if (displayState_ == 0) {
        shown.replace(QLatin1Char(':'), QLatin1Char(' '));
    }
    clock_->setText(shown);
}

}  // namespace zel
