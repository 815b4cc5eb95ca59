#pragma once

#include <memory>
#include <string>

#include "host/objects/held_rows_recordset.h"

namespace zel {

// An empty report of texts to which rows are added as failures come, such as the rows a
// multi-record modify could not change. fields and captions are comma-separated lists; a
// missing caption is the field's name.
std::shared_ptr<HeldRowsRecordset> NewFailureReport(const std::string& fields,
                                                    const std::string& captions);

}  // namespace zel
