// The record XML the windows hand the database service, over any text: read as a record of the
// correspondence table, checked against an account (look-ups, rights, values by their columns'
// types) and turned into its statements, all without a fault.
#include <cstdint>
#include <string>

#include "host/database/table_record.h"
#include "tests/fuzz/fuzz_account.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string xml(reinterpret_cast<const char*>(data), size);
    // Adding, on a business date, and changing, without one: each checks a little differently.
    for (const bool adding : {true, false}) {
        std::string message;
        auto record = zel::TableRecord::Parse(xml, "WhInvContrapose", message);
        if (!record) {
            return 0;
        }
        const auto businessDate = adding ? std::optional<std::string>("2026-06-30") : std::nullopt;
        if (record->Check(zel::fuzz::Account(), adding, businessDate, message)) {
            record->Insert("2026-06-30 12:00:00");
            record->Update("2026-06-30 12:00:00");
            record->KeyRow();
        }
    }
    return 0;
}
