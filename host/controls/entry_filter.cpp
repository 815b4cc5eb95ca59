#include "host/controls/entry_filter.h"

#include <algorithm>

namespace zel {
namespace {

constexpr QStringView kRefused = u"<>'\"|&,";

// Where the new text differs from the held one: new = held[0, begin) + entered + held's tail.
struct Entered {
    qsizetype begin;
    qsizetype end;  // in the new text
};

Entered EnteredPart(const QString& held, const QString& input) {
    const qsizetype shorter = std::min(held.size(), input.size());
    qsizetype prefix = 0;
    while (prefix < shorter && held[prefix] == input[prefix]) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           held[held.size() - 1 - suffix] == input[input.size() - 1 - suffix]) {
        ++suffix;
    }
    return {prefix, input.size() - suffix};
}

}  // namespace

bool EntryFilter::IsRefused(QChar character) {
    return kRefused.contains(character);
}

QValidator::State EntryFilter::validate(QString& input, int& pos) const {
    const Entered entered = EnteredPart(held_, input);
    QString kept;
    kept.reserve(input.size());
    qsizetype removedBeforeCursor = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (i >= entered.begin && i < entered.end && IsRefused(input[i])) {
            removedBeforeCursor += i < pos ? 1 : 0;
            continue;
        }
        kept.append(input[i]);
    }
    input = kept;
    pos -= static_cast<int>(removedBeforeCursor);
    return Acceptable;
}

}  // namespace zel
