#include "xlsx_fixture.h"

#include <zlib.h>

#include <fstream>

#include "host/controls/export/zip_archive_writer.h"

namespace zel {
namespace {

constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelations =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::uint64_t kBlockBytes = std::uint64_t{1} << 20;

std::string Relationship(const std::string& id, const std::string& type,
                         const std::string& target) {
    return "<Relationship Id=\"" + id + "\" Type=\"" + kRelations + "/" + type + "\" Target=\"" +
           target + "\"/>";
}

void Put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// An entry of an archive written byte by byte: method 0 stored, 8 deflated.
struct RawEntry {
    std::string name;
    std::uint16_t method = 0;
    std::uint32_t crc = 0;
    std::uint32_t declaredSize = 0;
    std::string data;
};

std::string Header(const RawEntry& entry, bool central, std::uint32_t offset) {
    std::string out;
    Put32(out, central ? 0x02014b50 : 0x04034b50);
    if (central) {
        Put16(out, 20);
    }
    Put16(out, 20);
    Put16(out, 0);
    Put16(out, entry.method);
    Put16(out, 0);
    Put16(out, 0x21);
    Put32(out, entry.crc);
    Put32(out, static_cast<std::uint32_t>(entry.data.size()));
    Put32(out, entry.declaredSize);
    Put16(out, static_cast<std::uint32_t>(entry.name.size()));
    Put16(out, 0);
    if (central) {
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, 0);
        Put32(out, 0);
        Put32(out, offset);
    }
    return out + entry.name;
}

bool WriteRawZip(const std::string& path, const std::vector<RawEntry>& entries) {
    std::ofstream file(path, std::ios::binary);
    std::string directory;
    std::uint32_t offset = 0;
    for (const RawEntry& entry : entries) {
        const std::string local = Header(entry, false, 0);
        file << local << entry.data;
        directory += Header(entry, true, offset);
        offset += static_cast<std::uint32_t>(local.size() + entry.data.size());
    }
    std::string end;
    Put32(end, 0x06054b50);
    Put16(end, 0);
    Put16(end, 0);
    Put16(end, static_cast<std::uint32_t>(entries.size()));
    Put16(end, static_cast<std::uint32_t>(entries.size()));
    Put32(end, static_cast<std::uint32_t>(directory.size()));
    Put32(end, offset);
    Put16(end, 0);
    file << directory << end;
    return static_cast<bool>(file);
}

RawEntry StoredEntry(const std::string& name, const std::string& content) {
    const auto* bytes = reinterpret_cast<const Bytef*>(content.data());
    return {name, 0, static_cast<std::uint32_t>(crc32(0, bytes, static_cast<uInt>(content.size()))),
            static_cast<std::uint32_t>(content.size()), content};
}

// One megabyte of zeros deflated and fully flushed, so that the block can follow itself; and
// the end of the deflated stream.
bool ZeroBlock(std::string& block, std::string& end) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
        return false;
    }
    std::string zeros(kBlockBytes, '\0');
    std::string out(kBlockBytes, '\0');
    const auto run = [&](int flush, std::string& into) {
        stream.next_in = reinterpret_cast<Bytef*>(zeros.data());
        stream.avail_in = flush == Z_FINISH ? 0 : static_cast<uInt>(zeros.size());
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = static_cast<uInt>(out.size());
        deflate(&stream, flush);
        into.assign(out.data(), out.size() - stream.avail_out);
    };
    std::string again;
    run(Z_FULL_FLUSH, block);
    run(Z_FULL_FLUSH, again);
    run(Z_FINISH, end);
    deflateEnd(&stream);
    return block == again;
}

}  // namespace

ZipParts WorkbookParts(const std::vector<std::pair<std::string, std::string>>& sheets,
                       const std::string& sharedStrings, const std::string& styles) {
    std::string list;
    std::string rels;
    ZipParts parts;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        list += "<sheet name=\"" + sheets[i].first + "\" sheetId=\"" + number + "\" r:id=\"rId" +
                number + "\"/>";
        rels += Relationship("rId" + number, "worksheet", "worksheets/sheet" + number + ".xml");
        parts.emplace_back("xl/worksheets/sheet" + number + ".xml",
                           std::string("<worksheet xmlns=\"") + kMain + "\"><sheetData>" +
                               sheets[i].second + "</sheetData></worksheet>");
    }
    if (!sharedStrings.empty()) {
        rels += Relationship("rIdS", "sharedStrings", "sharedStrings.xml");
        parts.emplace_back("xl/sharedStrings.xml",
                           std::string("<sst xmlns=\"") + kMain + "\">" + sharedStrings + "</sst>");
    }
    if (!styles.empty()) {
        rels += Relationship("rIdT", "styles", "styles.xml");
        parts.emplace_back("xl/styles.xml", std::string("<styleSheet xmlns=\"") + kMain + "\">" +
                                                styles + "</styleSheet>");
    }
    parts.emplace_back("_rels/.rels",
                       "<Relationships "
                       "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
                           Relationship("rId1", "officeDocument", "xl/workbook.xml") +
                           "</Relationships>");
    parts.emplace_back("xl/workbook.xml", std::string("<workbook xmlns=\"") + kMain +
                                              "\" xmlns:r=\"" + kRelations + "\"><sheets>" + list +
                                              "</sheets></workbook>");
    parts.emplace_back(
        "xl/_rels/workbook.xml.rels",
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
            rels + "</Relationships>");
    return parts;
}

bool WriteZip(const std::string& path, const ZipParts& parts) {
    ZipArchiveWriter zip(path);
    if (!zip.Open()) {
        return false;
    }
    for (const auto& [name, content] : parts) {
        if (!zip.BeginEntry(name) || !zip.Write(content)) {
            return false;
        }
    }
    return zip.Commit();
}

bool WriteStoredZip(const std::string& path, const ZipParts& parts) {
    std::vector<RawEntry> entries;
    for (const auto& [name, content] : parts) {
        entries.push_back(StoredEntry(name, content));
    }
    return WriteRawZip(path, entries);
}

bool WriteZeroSheetWorkbook(const std::string& path, std::uint64_t size,
                            std::uint64_t declaredSize) {
    std::string block;
    std::string end;
    if (!ZeroBlock(block, end)) {
        return false;
    }
    const std::string zeros(kBlockBytes, '\0');
    const uLong blockCrc = crc32(0, reinterpret_cast<const Bytef*>(zeros.data()), kBlockBytes);
    RawEntry sheet{"xl/worksheets/sheet1.xml", 8, 0, static_cast<std::uint32_t>(declaredSize), {}};
    uLong crc = 0;
    for (std::uint64_t written = 0; written < size; written += kBlockBytes) {
        sheet.data += block;
        crc = crc32_combine(crc, blockCrc, kBlockBytes);
    }
    sheet.data += end;
    sheet.crc = static_cast<std::uint32_t>(crc);
    std::vector<RawEntry> entries;
    for (const auto& [name, content] : WorkbookParts({{"Sheet1", {}}})) {
        if (name != sheet.name) {
            entries.push_back(StoredEntry(name, content));
        }
    }
    entries.push_back(std::move(sheet));
    return WriteRawZip(path, entries);
}

}  // namespace zel
