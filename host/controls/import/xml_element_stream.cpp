#include "host/controls/import/xml_element_stream.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

namespace zel {
namespace {

struct Delimited {
    std::string_view open;
    std::string_view close;
};

// Markup that is no tag, longest opening first so that "<!--" is not taken for "<!".
constexpr std::array<Delimited, 4> kOtherMarkup = {{
    {"<![CDATA[", "]]>"},
    {"<!--", "-->"},
    {"<?", "?>"},
    {"<!", ">"},
}};

bool EndsName(char c) {
    return c == '>' || c == '/' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

XmlElementStream::XmlElementStream(ChunkSource source, std::string_view localName,
                                   std::size_t maxElementBytes)
    : source_(std::move(source)), name_(localName), maxElementBytes_(maxElementBytes) {}

XmlElementStream::Result XmlElementStream::Next(std::string_view& element) {
    for (;;) {
        const std::size_t lt = buffer_.find('<', pos_);
        if (lt == std::string::npos || lt + 1 == buffer_.size()) {
            pos_ = lt == std::string::npos ? buffer_.size() : lt;
            if (!More()) {
                return Ended(lt != std::string::npos);
            }
            continue;
        }
        // Inside the element only its end tag matters, and no other tag's attributes can hold
        // a '<': the start tags within need not be read to their end.
        const char second = buffer_[lt + 1];
        if (start_ != std::string::npos && second != '/' && second != '!' && second != '?') {
            pos_ = lt + 1;
            continue;
        }
        std::size_t end = 0;
        const Markup markup = Classify(lt, end);
        if (markup == Markup::kIncomplete) {
            pos_ = lt;
            if (!More()) {
                return Ended(true);
            }
            continue;
        }
        pos_ = end;
        if (start_ == std::string::npos && IsOurName(lt, false) &&
            (markup == Markup::kStartTag || markup == Markup::kEmptyTag)) {
            if (markup == Markup::kEmptyTag) {
                element = std::string_view(buffer_).substr(lt, end - lt);
                return Result::kElement;
            }
            start_ = lt;
        } else if (start_ != std::string::npos && markup == Markup::kEndTag &&
                   IsOurName(lt, true)) {
            element = std::string_view(buffer_).substr(start_, end - start_);
            start_ = std::string::npos;
            return Result::kElement;
        }
    }
}

// Why no more elements come, once the text has no more to give.
XmlElementStream::Result XmlElementStream::Ended(bool inMarkup) const {
    if (buffer_.size() - std::min(start_, pos_) > maxElementBytes_) {
        return Result::kTooLarge;
    }
    return start_ == std::string::npos && !inMarkup ? Result::kEnd : Result::kCutShort;
}

// Where the markup at lt ends (one past its '>'), and what it is.
XmlElementStream::Markup XmlElementStream::Classify(std::size_t lt, std::size_t& end) const {
    const std::string_view rest = std::string_view(buffer_).substr(lt);
    // An end tag holds no attributes: its first '>' ends it.
    if (rest[1] == '/') {
        const std::size_t close = rest.find('>', 2);
        end = lt + close + 1;
        return close == std::string_view::npos ? Markup::kIncomplete : Markup::kEndTag;
    }
    for (const Delimited& other : rest[1] == '!' || rest[1] == '?'
                                      ? std::span<const Delimited>(kOtherMarkup)
                                      : std::span<const Delimited>()) {
        if (rest.size() < other.open.size() && other.open.substr(0, rest.size()) == rest) {
            return Markup::kIncomplete;
        }
        if (rest.substr(0, other.open.size()) == other.open) {
            const std::size_t close = rest.find(other.close, other.open.size());
            if (close == std::string_view::npos) {
                return Markup::kIncomplete;
            }
            end = lt + close + other.close.size();
            return Markup::kOther;
        }
    }
    char quote = 0;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        const char c = rest[i];
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            end = lt + i + 1;
            return rest[i - 1] == '/' ? Markup::kEmptyTag : Markup::kStartTag;
        }
    }
    return Markup::kIncomplete;
}

bool XmlElementStream::IsOurName(std::size_t lt, bool endTag) const {
    const std::size_t first = lt + (endTag ? 2 : 1);
    std::size_t last = first;
    while (last < buffer_.size() && !EndsName(buffer_[last])) {
        ++last;
    }
    std::string_view name = std::string_view(buffer_).substr(first, last - first);
    const std::size_t colon = name.rfind(':');
    if (colon != std::string_view::npos) {
        name.remove_prefix(colon + 1);
    }
    return name == name_;
}

// Drops what was handed out or stepped over, then reads a chunk more.
bool XmlElementStream::More() {
    const std::size_t keep = std::min(start_, pos_);
    buffer_.erase(0, keep);
    pos_ -= keep;
    if (start_ != std::string::npos) {
        start_ -= keep;
    }
    if (atEnd_ || buffer_.size() > maxElementBytes_) {
        return false;
    }
    if (!source_(buffer_)) {
        atEnd_ = true;
        return false;
    }
    return true;
}

}  // namespace zel
