// The T-SQL tokenizer and adapter over any text: the tokens join back to the text exactly, and
// adapting it for either engine ends without a fault.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "host/database/sql_tokenizer.h"
#include "host/database/tsql_adapter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view sql(reinterpret_cast<const char*>(data), size);
    const auto tokens = zel::SqlTokenizer::Tokenize(sql);
    for (const auto& token : tokens) {
        if (token.text.empty()) {
            std::abort();
        }
    }
    if (zel::SqlTokenizer::Join(tokens) != sql) {
        std::abort();
    }
    zel::TsqlAdapter::ToSqlite(sql);
    zel::TsqlAdapter::ToPostgres(sql);
    return 0;
}
