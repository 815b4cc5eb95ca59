// A recordset filter over any text, set on a result of a few rows with a column of every kind
// (texts with trailing blanks and Chinese, whole and decimal numbers, null): it filters or is
// refused, and the rows it leaves read back, without a fault.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "host/database/static_recordset.h"
#include "tests/fuzz/fuzz_account.h"

namespace {

zel::StaticRecordset& Rows() {
    static const std::shared_ptr<zel::StaticRecordset> rows = [] {
        auto opened = zel::StaticRecordset::Open(
            zel::fuzz::Account().Prepare(
                "select 'Ab ' as code, '仓库' as name, 7 as count, 1.5 as rate, null as note, "
                "'007' as textnumber union all select '01', 'x', -3, 1e300, 'n', '7' "
                "union all select '', '', 0, -0.25, null, 'abc'"),
            nullptr);
        if (!opened) {
            std::abort();
        }
        return opened;
    }();
    return *rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& rows = Rows();
    if (!rows.SetFilter(std::string_view(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext()) {
        for (int column = 0; column < rows.FieldCount(); ++column) {
            rows.Fields(column);
        }
    }
    return 0;
}
