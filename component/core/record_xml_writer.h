#pragma once

#include <string>
#include <string_view>

#include "core/correspondence_row.h"

namespace korvel {

// Which window's record: each keeps the elements and spelling the database service has always
// been sent from it (the field table's record XML and batch slots).
enum class RecordXmlForm { kEditor, kBatchAdd };

// <WhInvContrapose><CWhCode>..</CWhCode>...<cUserId>..</cUserId></WhInvContrapose>, elements in
// the slot's order and letter case, text escaped so that a code such as "R&D-01" arrives intact.
// A field not set goes empty, except one sent only from a reachable box, which is left out.
std::string WriteRecordXml(RecordXmlForm form, const CorrespondenceRow& row,
                           std::string_view userId);

}  // namespace korvel
