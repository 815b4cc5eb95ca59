#include "host/objects/resource_texts.h"

#include <QFile>
#include <sstream>

namespace zel {
namespace {

std::string Unescaped(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            result += '\n';
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string EmbeddedTable() {
    QFile file(":/host/texts.tsv");
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll().toStdString();
}

}  // namespace

const ResourceTexts& ResourceTexts::Instance() {
    static const ResourceTexts texts(EmbeddedTable());
    return texts;
}

ResourceTexts::ResourceTexts(const std::string& tsv) {
    std::istringstream lines(tsv);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto tab = line.find('\t');
        if (line.empty() || line.front() == '#' || tab == std::string::npos) {
            continue;
        }
        texts_[line.substr(0, tab)] = Unescaped(line.substr(tab + 1));
    }
}

std::string ResourceTexts::Text(const std::string& key) const {
    const auto found = texts_.find(key);
    return found == texts_.end() ? key : found->second;
}

std::string ResourceTexts::Format(const std::string& key,
                                  const std::vector<std::string>& values) const {
    const std::string pattern = Text(key);
    std::string result;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool placeholder = pattern[i] == '%' && i + 1 < pattern.size() &&
                                 pattern[i + 1] >= '1' && pattern[i + 1] <= '9';
        if (!placeholder) {
            result += pattern[i];
            continue;
        }
        const std::size_t index = static_cast<std::size_t>(pattern[i + 1] - '1');
        if (index < values.size()) {
            result += values[index];
        }
        ++i;
    }
    return result;
}

QString ResourceQString(const std::string& key, const std::vector<std::string>& values) {
    return QString::fromStdString(ResourceTexts::Instance().Format(key, values));
}

}  // namespace zel
