#pragma once

#include <optional>
#include <string>

namespace korvel {

// The values of one correspondence row as the editor sends them. A value left empty (nullopt)
// belongs to a box that is disabled or hidden and is not sent at all.
struct RecordXmlFields {
    std::string whCode;
    std::string invCode;
    std::string personCode;
    std::optional<std::string> topSum;
    std::optional<std::string> lowSum;
    std::optional<std::string> safeNum;
    std::optional<std::string> wastage;
    std::optional<std::string> frequency;
    std::string frequencyCode;
    std::optional<std::string> days;
    std::optional<std::string> lastDate;
    std::string userId;
};

// <WhInvContrapose><CWhCode>..</CWhCode>...<cUserId>..</cUserId></WhInvContrapose>, elements in
// their fixed order and letter case, text escaped so that a code such as "R&D-01" arrives intact.
std::string WriteRecordXml(const RecordXmlFields& fields);

}  // namespace korvel
