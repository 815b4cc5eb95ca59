#pragma once

#include <QStatusBar>
#include <QTimer>
#include <string>
#include <vector>

class QLabel;

namespace zel {

// The status bar of the component's windows: text panels numbered from 1, and a clock panel at
// the right that shows TimeText. The bar raises Tick every second; the window answers it by
// setting TimeText and DisplayState. With DisplayState 0 the clock shows its separators blank,
// so that alternating states make the clock blink.
class YsStatusBar final : public QStatusBar {
    Q_OBJECT

public:
    explicit YsStatusBar(QWidget* parent = nullptr);

    int PanelCount() const { return static_cast<int>(panels_.size()); }
    // "" for a panel that does not exist.
    std::string PanelText(int index) const;
    // Adds panels up to index when there are fewer; false for an index below 1.
    bool SetPanelText(int index, const std::string& text);

    const std::string& TimeText() const { return timeText_; }
    void SetTimeText(const std::string& text);
    int DisplayState() const { return displayState_; }
    // 0 or 1.
    bool SetDisplayState(int state);

    // In twips; 0 while the bar is hidden, since it then takes no room in the window.
    double Height() const;
    int Interval() const { return timer_.interval(); }
    void SetInterval(int milliseconds) { timer_.setInterval(milliseconds); }

signals:
    void Tick();

private:
    void ShowClock();

    std::vector<QLabel*> panels_;
    QLabel* clock_;
    QTimer timer_;
    std::string timeText_;
    int displayState_ = 0;
};

}  // namespace zel
