#include "core/const.h"

#include "core/check_cycle.h"
#include "core/correspondence_fields.h"
#include "core/text_escaping.h"

namespace korvel {
namespace {

// The resource text of the key; without a key, the column dictionary's caption of the column.
std::string FieldCaption(zel::IPub& pub, std::shared_ptr<zel::IRecordset>& dictionary,
                         std::string_view key, std::string_view column) {
    if (!key.empty()) {
        return pub.GetResString(std::string(key));
    }
    return dictionary ? pub.GetFldCaption(dictionary, std::string(column)) : std::string();
}

std::string DefinitionValueText(const DefinitionSlot& slot, const CorrespondenceField& field,
                                const FieldCatalogue& catalogue, short digits) {
    switch (slot.value) {
        case DefinitionValue::kQuantityDigits:
            return std::to_string(digits);
        case DefinitionValue::kUnitTexts:
            return XmlEscaped(GetEnumVal(catalogue, field.column));
        case DefinitionValue::kNone:
            break;
    }
    return {};
}

// The condition control reads this definition as XML.
std::string BuildFldDefXml(zel::IPub& pub, std::shared_ptr<zel::IRecordset>& dictionary,
                           const FieldCatalogue& catalogue, short digits) {
    std::string xml = "<whinvcontrapose>";
    for (const CorrespondenceField* field : FieldsInDefinitionOrder()) {
        const DefinitionSlot& slot = field->definition;
        const std::string caption = FieldCaption(pub, dictionary, slot.captionKey, field->column);
        xml += "<whinvcontrapose.";
        xml += slot.element;
        xml += " showfldname='" + XmlEscaped(caption);
        xml += slot.tailHead;
        xml += DefinitionValueText(slot, *field, catalogue, digits);
        xml += slot.tailEnd;
    }
    xml += "</whinvcontrapose>";
    return xml;
}

void FillTexts(zel::IPub& pub, FieldCatalogue& catalogue) {
    catalogue.sModuleTitle = pub.GetResString("Zel.AA.ARCHIVE.whinvcontrapose");
    catalogue.sTableTitle = pub.GetResString("Zel.AA.ARCHIVE.whinvcontraposetable");
    for (std::size_t day = 1; day < catalogue.arrWeek.size(); ++day) {
        catalogue.arrWeek[day] =
            pub.GetResString("Zel.AA.ARCHIVE.COMMON.week" + std::to_string(day));
    }
    for (const CycleUnit unit : kCycleUnits) {
        const auto at = static_cast<std::size_t>(unit);
        catalogue.arrFreqText[at] = pub.GetResString(std::string(CycleUnitTextKey(unit)));
        catalogue.arrFreqValue[at] = std::string(CycleUnitCode(unit));
    }
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        if (field.catalogue.nameIndex != kNoPosition) {
            catalogue.arrFldName[static_cast<std::size_t>(field.catalogue.nameIndex)] =
                field.column;
        }
    }
}

void FillCaptions(zel::IPub& pub, std::shared_ptr<zel::IRecordset>& dictionary,
                  FieldCatalogue& catalogue) {
    for (const CorrespondenceField* field : FieldsInCaptionOrder()) {
        const CatalogueSlot& slot = field->catalogue;
        catalogue.arrFldCaption[static_cast<std::size_t>(slot.captionIndex)] =
            FieldCaption(pub, dictionary, slot.captionKey, field->column);
    }
}

}  // namespace

void InitCatalogue(ComponentContext& context) {
    if (!context.login.pub || !context.login.db) {
        return;
    }
    zel::IPub& pub = *context.login.pub;
    FieldCatalogue& catalogue = context.catalogue;
    catalogue = FieldCatalogue{};
    FillTexts(pub, catalogue);
    std::string sql = "select * from aa_columndic where ckey='Inventory' ";
    auto dictionary = context.login.db->OpenX(sql);
    FillCaptions(pub, dictionary, catalogue);
    catalogue.sFldDefXml = BuildFldDefXml(pub, dictionary, catalogue, context.quantity.digits);
    if (dictionary) {
        dictionary->Close();
    }
}

std::string GetEnumVal(const FieldCatalogue& catalogue, std::string_view fieldName) {
    const CorrespondenceField* field = FieldNamed(fieldName);
    if (!field || field->kind != FieldKind::kUnit) {
        return {};
    }
    std::string texts;
    for (const CycleUnit unit : kCycleUnits) {
        texts += (unit == kCycleUnits[0] ? "" : ";") +
                 catalogue.arrFreqText[static_cast<std::size_t>(unit)];
    }
    return texts;
}

std::string NullToStr(const std::optional<zel::Variant>& value) {
    return value ? value->ToString() : std::string();
}

}  // namespace korvel
