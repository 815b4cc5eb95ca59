#include "host/database/refusal_message.h"

#include "host/database/database_texts.h"

namespace zel {
namespace {

constexpr const char* kKeyPrefix = "Zel.HOST.DB.";

std::string TextOr(const std::string& key, const std::string& fallbackKey) {
    return DatabaseTexts::Text(DatabaseTexts::Has(key) ? key : fallbackKey);
}

}  // namespace

std::string RefusalMessage(const SqlBackend& backend, bool deleting) {
    const std::string subject = backend.RefusedSubject();
    switch (backend.LastRefusal()) {
        case SchemaRefusal::Unique:
            return TextOr(kKeyPrefix + ("duplicate." + subject), "Zel.HOST.DB.duplicate");
        case SchemaRefusal::ForeignKey:
            return DatabaseTexts::Text(deleting ? "Zel.HOST.DB.still_referenced"
                                                : "Zel.HOST.DB.missing_reference");
        case SchemaRefusal::Check:
            return TextOr(kKeyPrefix + subject, "Zel.HOST.DB.out_of_range");
        case SchemaRefusal::NotNull:
            return DatabaseTexts::Format("Zel.HOST.DB.value_required", {subject});
        case SchemaRefusal::Denied:
            return DatabaseTexts::Text("Zel.HOST.DB.denied");
        case SchemaRefusal::None:
            break;
    }
    return {};
}

}  // namespace zel
