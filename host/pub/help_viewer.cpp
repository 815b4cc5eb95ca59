#include "host/pub/help_viewer.h"

#include <QTextBrowser>
#include <QUrl>

#include "host/pub/help_anchors.h"

namespace zel {
namespace {

constexpr int kGuideWidth = 760;
constexpr int kGuideHeight = 620;

}  // namespace

HelpViewer::~HelpViewer() {
    delete browser_;
}

void HelpViewer::Show(QWidget& owner, const std::string& anchor, const std::string& title) {
    QTextBrowser& browser = WindowFor(owner);
    browser.setWindowTitle(QString::fromStdString(title));
    // Shown first: a hidden browser has not laid the guide out, and cannot scroll to a section.
    browser.show();
    QUrl url(QString::fromUtf8(kGuideUrl));
    url.setFragment(QString::fromStdString(anchor));
    browser.setSource(url);
    // A source already shown keeps where the reader scrolled to; the request is for the section.
    browser.scrollToAnchor(QString::fromStdString(anchor));
    browser.raise();
    browser.activateWindow();
}

void HelpViewer::Hide() {
    if (browser_) {
        browser_->hide();
    }
}

QTextBrowser& HelpViewer::WindowFor(QWidget& owner) {
    if (!browser_) {
        browser_ = new QTextBrowser(&owner);
        browser_->setObjectName("HelpViewer");
        browser_->setWindowFlag(Qt::Window);
        browser_->setOpenExternalLinks(true);
        browser_->resize(kGuideWidth, kGuideHeight);
    } else if (browser_->parentWidget() != &owner) {
        const QRect geometry = browser_->geometry();
        browser_->setParent(&owner, Qt::Window);
        browser_->setGeometry(geometry);
    }
    return *browser_;
}

}  // namespace zel
