#include "host/controls/import/xml_element_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zel {
namespace {

using Result = XmlElementStream::Result;

struct Pulled {
    std::vector<std::string> elements;
    Result last = Result::kEnd;
};

// Every element the stream hands out when the text arrives `chunk` bytes at a time.
Pulled Pull(const std::string& text, std::size_t chunk, std::size_t maxBytes = 1 << 20) {
    std::size_t given = 0;
    XmlElementStream stream(
        [&](std::string& out) {
            if (given == text.size()) {
                return false;
            }
            const std::size_t size = std::min(chunk, text.size() - given);
            out.append(text, given, size);
            given += size;
            return true;
        },
        "row", maxBytes);
    Pulled pulled;
    std::string_view element;
    while ((pulled.last = stream.Next(element)) == Result::kElement) {
        pulled.elements.emplace_back(element);
    }
    return pulled;
}

TEST(XmlElementStreamTest, HandsOutWholeElementsHoweverTheChunksCutThem) {
    const std::string text =
        "<?xml version=\"1.0\"?><worksheet><sheetData>"
        "<!-- <row>not one</row> --><row r=\"1\"><c><v>1</v></c></row>"
        "<row r=\"2\" note='a > b'><c><is><t><![CDATA[</row>]]></t></is></c></row>"
        "<rowBreaks/><row r=\"3\"/><x:row xmlns:x=\"urn:x\"><x:c/></x:row>"
        "<row\n r=\"5\"\n></row></sheetData></worksheet>";
    const std::vector<std::string> expected = {
        "<row r=\"1\"><c><v>1</v></c></row>",
        "<row r=\"2\" note='a > b'><c><is><t><![CDATA[</row>]]></t></is></c></row>",
        "<row r=\"3\"/>",
        "<x:row xmlns:x=\"urn:x\"><x:c/></x:row>",
        "<row\n r=\"5\"\n></row>",
    };
    for (const std::size_t chunk :
         {std::size_t{1}, std::size_t{2}, std::size_t{7}, std::size_t{64}, text.size()}) {
        const Pulled pulled = Pull(text, chunk);
        EXPECT_EQ(pulled.elements, expected) << "chunks of " << chunk;
        EXPECT_EQ(pulled.last, Result::kEnd) << "chunks of " << chunk;
    }
}

TEST(XmlElementStreamTest, TellsATextCutShortFromALongElement) {
    EXPECT_EQ(Pull("<a><row><c/>", 3).last, Result::kCutShort);
    EXPECT_EQ(Pull("<a><row/><row r=\"2", 3).last, Result::kCutShort);
    EXPECT_EQ(Pull("<a><!-- <row/>", 3).last, Result::kCutShort);
    const Pulled tooLong = Pull("<row/><row>" + std::string(100, 'x') + "</row><row/>", 8, 64);
    EXPECT_EQ(tooLong.elements.size(), 1U);
    EXPECT_EQ(tooLong.last, Result::kTooLarge);
}

}  // namespace
}  // namespace zel
