#include "core/field_conditions.h"

#include "core/correspondence_fields.h"

namespace korvel {

std::string Joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string text;
    for (const std::string& part : parts) {
        text += text.empty() ? part : separator + part;
    }
    return text;
}

std::string SameOrBothNull(const CorrespondenceField& field, const std::string& stored,
                           const std::string& given) {
    const std::string equal = ComparesWithoutCase(field)
                                  ? "upper(" + stored + ")=upper(" + given + ")"
                                  : stored + "=" + given;
    return "(" + equal + " or (" + stored + " is null and " + given + " is null))";
}

}  // namespace korvel
