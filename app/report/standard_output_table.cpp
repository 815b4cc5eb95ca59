#include "app/report/standard_output_table.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

namespace zel {
namespace {

constexpr std::size_t kCopyBytes = 1 << 20;

}  // namespace

StandardOutputTable::StandardOutputTable()
    : path_(folder_.filePath("report.csv").toStdString()), file_(path_) {}

bool StandardOutputTable::Begin(const TableHeading& heading) {
    if (!folder_.isValid()) {
        reason_ = folder_.errorString().toStdString();
        return false;
    }
    return file_.Begin(heading);
}

bool StandardOutputTable::AddRow(std::span<const std::string_view> cells) {
    return file_.AddRow(cells);
}

bool StandardOutputTable::Finish() {
    return file_.Finish() && CopyToStandardOutput();
}

std::string StandardOutputTable::Reason() const {
    return reason_.empty() ? file_.Reason() : reason_;
}

bool StandardOutputTable::CopyToStandardOutput() {
    std::ifstream file(path_, std::ios::binary);
    std::vector<char> chunk(kCopyBytes);
    while (file) {
        file.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto read = static_cast<std::size_t>(file.gcount());
        if (std::fwrite(chunk.data(), 1, read, stdout) != read) {
            reason_ = std::strerror(errno);
            return false;
        }
    }
    if (!file.eof()) {
        reason_ = "cannot read " + path_;
        return false;
    }
    if (std::fflush(stdout) != 0) {
        reason_ = std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace zel
