#include "tools/screenshot/window_capture_presenter.h"

#include <QAction>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "interfaces/pub.h"

namespace zel {
namespace {

void LetEventsRun(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// On a real display the screen is taken, so that the window manager's frame and anything drawn
// over the window show as a user sees them; elsewhere the window paints itself.
QPixmap Picture(QWidget& window) {
    if (QGuiApplication::platformName() == "xcb") {
        if (QScreen* screen = window.screen()) {
            const QRect frame = window.frameGeometry();
            QPixmap taken =
                screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
            if (!taken.isNull()) {
                return taken;
            }
        }
    }
    return window.grab();
}

}  // namespace

WindowCapturePresenter::WindowCapturePresenter(std::string outputPath, int settleMilliseconds,
                                               std::string openAction, std::string answerFile)
    : outputPath_(std::move(outputPath)),
      settleMilliseconds_(settleMilliseconds),
      openAction_(std::move(openAction)),
      answerFile_(std::move(answerFile)) {}

int WindowCapturePresenter::MessageBox(const std::string& text, int buttons,
                                       const std::string& title) {
    std::fprintf(stderr, "message box [%s] (buttons %d): %s\n", title.c_str(), buttons,
                 text.c_str());
    return kAnswerOk;
}

int WindowCapturePresenter::ShowModal(QDialog& window, QWidget* owner) {
    if (!answerFile_.empty()) {
        if (auto* files = qobject_cast<QFileDialog*>(&window)) {
            files->selectFile(QString::fromStdString(answerFile_));
            return QDialog::Accepted;
        }
        if (qobject_cast<QInputDialog*>(&window) != nullptr) {
            return QDialog::Accepted;
        }
    }
    const bool opener = depth_ == 0 && !openAction_.empty();
    if (captured_ || depth_ > (openAction_.empty() ? 0 : 1)) {
        std::fprintf(stderr, "modal window %s closed unseen\n",
                     window.objectName().toStdString().c_str());
        return 0;
    }
    ++depth_;
    if (owner != nullptr && window.parentWidget() == nullptr) {
        window.setParent(owner, window.windowFlags() | Qt::Dialog);
    }
    window.show();
    window.raise();
    window.activateWindow();
    LetEventsRun(settleMilliseconds_);
    if (opener) {
        if (auto* action = window.findChild<QAction*>(QString::fromStdString(openAction_))) {
            QTimer::singleShot(0, action, &QAction::trigger);
        } else {
            std::fprintf(stderr, "no menu item %s\n", openAction_.c_str());
        }
        LetEventsRun(0);
    } else {
        Capture(window);
    }
    window.close();
    LetEventsRun(0);
    --depth_;
    return window.result();
}

void WindowCapturePresenter::Capture(QDialog& window) {
    captured_ = Picture(window).save(QString::fromStdString(outputPath_), "PNG");
    if (!captured_) {
        std::fprintf(stderr, "cannot write %s\n", outputPath_.c_str());
    }
}

}  // namespace zel
