#include "host/pub/help_anchors.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <set>
#include <string>

namespace zel {
namespace {

QString GuideText() {
    QFile guide(QStringLiteral(":/guide/whinv-guide.html"));
    EXPECT_TRUE(guide.open(QIODevice::ReadOnly)) << "the guide is in the program's resources";
    return QString::fromUtf8(guide.readAll());
}

std::set<QString> Matches(const QString& text, const QString& pattern) {
    std::set<QString> found;
    for (const auto& match : QRegularExpression(pattern).globalMatch(text)) {
        found.insert(match.captured(1));
    }
    return found;
}

std::set<QString> SectionIds() {
    return Matches(GuideText(), R"re(\sid="([^"]+)")re");
}

TEST(HelpAnchors, EveryFormOpensASectionTheGuideHas) {
    const std::set<QString> ids = SectionIds();
    EXPECT_TRUE(ids.contains(QString::fromUtf8(kGuideContentsAnchor)));
    std::set<std::string_view> forms;
    for (const HelpAnchor& entry : HelpAnchors()) {
        EXPECT_TRUE(ids.contains(QString::fromUtf8(entry.anchor.data(), entry.anchor.size())))
            << entry.formKey << " -> " << entry.anchor;
        EXPECT_TRUE(forms.insert(entry.formKey).second) << entry.formKey << " twice";
        EXPECT_EQ(HelpAnchorOf(entry.formKey), entry.anchor);
    }
}

TEST(HelpAnchors, AFormWithoutASectionOpensTheContents) {
    EXPECT_EQ(HelpAnchorOf("NoSuchForm"), kGuideContentsAnchor);
    EXPECT_EQ(HelpAnchorOf(""), kGuideContentsAnchor);
}

TEST(HelpAnchors, EveryLinkWithinTheGuideLeadsToASection) {
    const std::set<QString> ids = SectionIds();
    const std::set<QString> links = Matches(GuideText(), R"re(href="#([^"]*)")re");
    EXPECT_FALSE(links.empty());
    for (const QString& link : links) {
        EXPECT_TRUE(ids.contains(link)) << link.toStdString();
    }
}

// The package installs the source file: the help must show that same text.
TEST(HelpAnchors, TheProgramHoldsTheGuideAsWritten) {
    QFile source(QStringLiteral(WHINV_SOURCE_DIR "/guide/whinv-guide.html"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(source.readAll()), GuideText());
}

}  // namespace
}  // namespace zel
