#include "host/controls/import/xlsx_shared_strings.h"

#include <pugixml.hpp>

#include "host/controls/import/xlsx_cell_text.h"
#include "host/controls/import/xml_element_stream.h"

namespace zel {

XlsxSharedStrings::Result XlsxSharedStrings::Read(ZipEntryStream& entry) {
    XmlElementStream items([&entry](std::string& out) { return entry.ReadChunk(out); }, "si",
                           kMaxItemBytes);
    pugi::xml_document doc;
    for (;;) {
        std::string_view item;
        const XmlElementStream::Result next = items.Next(item);
        if (entry.Fault() != ZipFault::kNone) {
            return Result::kArchiveFault;
        }
        if (next == XmlElementStream::Result::kEnd) {
            return Result::kRead;
        }
        if (next == XmlElementStream::Result::kTooLarge) {
            return Result::kTooLarge;
        }
        if (next == XmlElementStream::Result::kCutShort ||
            !doc.load_buffer(item.data(), item.size(),
                             pugi::parse_default | pugi::parse_ws_pcdata)) {
            return Result::kMalformed;
        }
        texts_ += StringItemText(doc.document_element());
        if (texts_.size() > kMaxTextBytes || ends_.size() == kMaxItems) {
            return Result::kTooLarge;
        }
        ends_.push_back(texts_.size());
    }
}

std::string_view XlsxSharedStrings::At(std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(texts_).substr(begin, ends_[index] - begin);
}

}  // namespace zel
