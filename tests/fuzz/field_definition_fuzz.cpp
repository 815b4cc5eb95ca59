// The field definition of multi-record modify over any text, with the correspondence table's
// columns to tell a field's kind by: read or refused with a message, without a fault.
#include <cstdint>
#include <string>

#include "host/controls/find/field_definition.h"
#include "host/database/static_recordset.h"
#include "tests/fuzz/fuzz_account.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string xml(reinterpret_cast<const char*>(data), size);
    static const auto columns = zel::StaticRecordset::Open(
        zel::fuzz::Account().Prepare("select * from WhInvContrapose"), nullptr);
    zel::FieldDefinition::Read(xml, columns.get()).FindFields();
    return 0;
}
