#pragma once

#include <QWidget>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zel {

// A progress bar with the count done and a cancel button, shown while a long loop runs. The loop
// reads CancelRequested between its steps; the strip stops nothing itself.
class ProgressStrip final : public QWidget {
    Q_OBJECT

public:
    explicit ProgressStrip(QWidget* parent = nullptr);

    void SetCancelCaption(const std::string& caption);
    // Shows the strip at 0; a total of 0 or less shows the count only (the end is not known).
    void Start(int total);
    void Advance(int done);
    void Finish();
    bool CancelRequested() const { return cancelRequested_; }

    int Done() const { return done_; }
    QPushButton& CancelButton() { return *cancel_; }
    QString CountText() const;

private:
    QProgressBar* bar_;
    QLabel* count_;
    QPushButton* cancel_;
    int total_ = 0;
    int done_ = 0;
    bool cancelRequested_ = false;
};

}  // namespace zel
