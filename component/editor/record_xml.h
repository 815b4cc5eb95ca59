#pragma once

#include <optional>
#include <string>

namespace korvel {

// The values of one correspondence row as the editor sends them. A field that the record always
// carries is sent empty when left unset; one sent only from a reachable box (see the field
// table) is left out when unset.
struct RecordXmlFields {
    std::optional<std::string> whCode;
    std::optional<std::string> invCode;
    std::optional<std::string> personCode;
    std::optional<std::string> topSum;
    std::optional<std::string> lowSum;
    std::optional<std::string> safeNum;
    std::optional<std::string> wastage;
    std::optional<std::string> frequency;
    std::optional<std::string> frequencyCode;
    std::optional<std::string> days;
    std::optional<std::string> lastDate;
    std::string userId;
};

// <WhInvContrapose><CWhCode>..</CWhCode>...<cUserId>..</cUserId></WhInvContrapose>, elements in
// the field table's order and letter case, text escaped so that a code such as "R&D-01" arrives
// intact.
std::string WriteRecordXml(const RecordXmlFields& fields);

}  // namespace korvel
