#include "host/pub/reference_filter_fields.h"

#include <QString>

namespace zel {
namespace {

struct ReferenceKind {
    const char* kind;
    const char* fields;
};

constexpr ReferenceKind kKinds[] = {
    {"inventory", "cInvCode,cInvName,cInvStd"},
    {"warehouse", "cWhCode,cWhName"},
    {"person", "cPersonCode,cPersonName"},
};

}  // namespace

std::string ReferenceFilterFields(std::string_view kind) {
    const QString wanted = QString::fromUtf8(kind.data(), static_cast<qsizetype>(kind.size()));
    for (const auto& known : kKinds) {
        if (wanted.compare(QString::fromUtf8(known.kind), Qt::CaseInsensitive) == 0) {
            return known.fields;
        }
    }
    return {};
}

}  // namespace zel
