#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zel {

// Hands out, one at a time, the complete elements of one local name (any namespace prefix)
// from an XML text that arrives in chunks, so that a DOM parser can take each alone while the
// document never has to fit in memory. The stream holds at most one element and one chunk;
// comments, CDATA sections and processing instructions are stepped over whole, quotes in
// attribute values respected. Elements of that name must not nest.
class XmlElementStream {
public:
    // Appends the next chunk to its argument; false at the end of the text or on a fault.
    using ChunkSource = std::function<bool(std::string&)>;

    enum class Result {
        kElement,
        kEnd,
        // The text ends inside the markup or inside an element.
        kCutShort,
        // An element longer than the bound.
        kTooLarge,
    };

    XmlElementStream(ChunkSource source, std::string_view localName, std::size_t maxElementBytes);

    // The next element, valid until the next call.
    Result Next(std::string_view& element);
    std::size_t BufferedBytes() const { return buffer_.capacity(); }

private:
    enum class Markup { kIncomplete, kOther, kStartTag, kEndTag, kEmptyTag };

    Markup Classify(std::size_t lt, std::size_t& end) const;
    bool IsOurName(std::size_t lt, bool endTag) const;
    bool More();
    Result Ended(bool inMarkup) const;

    ChunkSource source_;
    std::string name_;
    std::size_t maxElementBytes_;
    std::string buffer_;
    std::size_t pos_ = 0;
    std::size_t start_ = std::string::npos;
    bool atEnd_ = false;
};

}  // namespace zel
