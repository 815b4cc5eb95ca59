#include "host/controls/progress_strip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace zel {

ProgressStrip::ProgressStrip(QWidget* parent)
    : QWidget(parent),
      bar_(new QProgressBar(this)),
      count_(new QLabel(this)),
      cancel_(new QPushButton(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(bar_, 1);
    row->addWidget(count_);
    row->addWidget(cancel_);
    bar_->setTextVisible(false);
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelRequested_ = true; });
    hide();
}

void ProgressStrip::SetCancelCaption(const std::string& caption) {
    cancel_->setText(QString::fromStdString(caption));
}

void ProgressStrip::Start(int total) {
    total_ = std::max(total, 0);
    done_ = 0;
    cancelRequested_ = false;
    // A range of 0 to 0 is Qt's busy bar.
    bar_->setRange(0, total_);
    bar_->setValue(0);
    count_->setText(CountText());
    show();
}

void ProgressStrip::Advance(int done) {
    done_ = done;
    if (total_ > 0) {
        bar_->setValue(std::min(done, total_));
    }
    count_->setText(CountText());
}

void ProgressStrip::Finish() {
    hide();
}

QString ProgressStrip::CountText() const {
    return total_ > 0 ? QString("%1 / %2").arg(done_).arg(total_) : QString::number(done_);
}

}  // namespace zel
