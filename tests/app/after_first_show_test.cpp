#include "app/after_first_show.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QTimer>

namespace zel {
namespace {

// Queues work from its first showEvent the way the component's main window does: the work lets
// pending events run once before it does anything.
class WindowWithFirstShowWork final : public QDialog {
public:
    bool workDone = false;

protected:
    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        if (!queued_) {
            queued_ = true;
            QTimer::singleShot(0, this, [this] {
                QCoreApplication::processEvents();
                workDone = true;
            });
        }
    }

private:
    bool queued_ = false;
};

// Lets events run until the callback has come (or a generous while has passed).
void RunUntil(const bool& called) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (called) {
            loop.quit();
        }
    });
    poll.start(1);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(AfterFirstShow, CallsBackOnlyWhenTheWorkOfTheFirstShowHasRun) {
    WindowWithFirstShowWork window;
    bool called = false;
    bool workDoneWhenCalled = false;
    new AfterFirstShow(window, [&](QDialog& shown) {
        called = true;
        workDoneWhenCalled = static_cast<WindowWithFirstShowWork&>(shown).workDone;
    });
    window.show();
    RunUntil(called);
    ASSERT_TRUE(called);
    EXPECT_TRUE(workDoneWhenCalled);
}

TEST(AfterFirstShow, CallsBackOnceForAWindowShownAgain) {
    WindowWithFirstShowWork window;
    int calls = 0;
    bool called = false;
    new AfterFirstShow(window, [&](QDialog&) {
        ++calls;
        called = true;
    });
    window.show();
    RunUntil(called);
    window.hide();
    window.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1);
}

TEST(AfterFirstShow, NothingOnceTheWindowIsGone) {
    bool called = false;
    {
        WindowWithFirstShowWork window;
        new AfterFirstShow(window, [&](QDialog&) { called = true; });
        window.show();
    }
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(called);
}

}  // namespace
}  // namespace zel
