#include "core/const.h"

#include "core/text_case.h"
#include "core/text_escaping.h"

namespace korvel {
namespace {

std::string DictionaryCaption(zel::IPub& pub, std::shared_ptr<zel::IRecordset>& dictionary,
                              const std::string& field) {
    return dictionary ? pub.GetFldCaption(dictionary, field) : std::string();
}

// The condition control reads this definition as XML; the spacing inside the tails is the
// control's own format and must not change.
std::string BuildFldDefXml(zel::IPub& pub, std::shared_ptr<zel::IRecordset>& dictionary,
                           const FieldCatalogue& catalogue, short digits) {
    const std::string d = std::to_string(digits);
    const auto text = [&](const std::string& key) { return XmlEscaped(pub.GetResString(key)); };
    const auto caption = [&](const std::string& field) {
        return XmlEscaped(DictionaryCaption(pub, dictionary, field));
    };
    std::string xml = "<whinvcontrapose>";
    xml += "<whinvcontrapose.CWhCode showfldname='" + text("Zel.AA.ARCHIVE.FIELD.cwhcode") +
           "'  reftype='ref' bmulmodify='1' />";
    xml += "<whinvcontrapose.cInvCode showfldname='" + caption("cInvCode") +
           "'  reftype='ref'  bmulmodify='1' />";
    xml += "<whinvcontrapose.iTopSum showfldname='" + caption("iTopSum") +
           "'  reftype='decdgt'  bmulmodify='1'  decdgt='" + d + "' />";
    xml += "<whinvcontrapose.iLowSum showfldname='" + caption("iLowSum") +
           "'  reftype='decdgt'  bmulmodify='1' decdgt='" + d + "'  />";
    xml += "<whinvcontrapose.iSafeNum showfldname='" + caption("iSafeNum") +
           "'  reftype='decdgt'  bmulmodify='1'  decdgt='" + d + "' />";
    xml += "<whinvcontrapose.iWastage showfldname='" + caption("iWastage") +
           "'  reftype='decdgt'  bmulmodify='1' decdgt='" + d + "'  />";
    xml += "<whinvcontrapose.iFrequency showfldname='" + caption("iFrequency") +
           "'  reftype=''  bmulmodify='1'   />";
    xml += "<whinvcontrapose.cFrequency showfldname='" + caption("cFrequency") +
           "'  reftype='enum' enumval='" + XmlEscaped(GetEnumVal(catalogue, "cFrequency")) +
           "'  bmulmodify='1'   />";
    xml += "<whinvcontrapose.dLastDate showfldname='" + caption("dLastDate") +
           "'  reftype='date' bmulmodify='1' />";
    xml += "<whinvcontrapose.cWhPersonCode showfldname='" +
           text("Zel.AA.WHINVCONTRAPOSE.cpersoncode") + "'  reftype='ref'  bmulmodify='1'  />";
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
    catalogue.arrFreqText = {pub.GetResString("Zel.AA.ARCHIVE.COMMON.cdrequency_day"),
                             pub.GetResString("Zel.AA.ARCHIVE.COMMON.cdrequency_week"),
                             pub.GetResString("Zel.AA.ARCHIVE.COMMON.cdrequency_month")};
    catalogue.arrFreqValue = {"天", "周", "月"};
    catalogue.arrFldName = {"cInvCode",
                            "cInvName",
                            "cInvStd",
                            "cGroupCode",
                            "cComunitCode",
                            "iTopSum",
                            "iLowSum",
                            "iSafeNum",
                            "iWastage",
                            "iFrequency",
                            "cFrequency",
                            "iDays",
                            "dLastDate",
                            "cWhPersonCode",
                            "Person.cPersonName",
                            ""};
}

void FillCaptions(zel::IPub& pub, std::shared_ptr<zel::IRecordset>& dictionary,
                  FieldCatalogue& catalogue) {
    auto& captions = catalogue.arrFldCaption;
    const char* const headKeys[] = {"Zel.AA.ARCHIVE.FIELD.cinvcode",
                                    "Zel.AA.ARCHIVE.FIELD.cinvname", "Zel.AA.ARCHIVE.FIELD.cinvstd",
                                    "Zel.AA.ARCHIVE.FIELD.cgroupcode",
                                    "Zel.AA.ARCHIVE.FIELD.main_ccomunitcode"};
    std::size_t index = 0;
    for (const char* key : headKeys) {
        captions[index++] = pub.GetResString(key);
    }
    // Captions 5..12 belong to fields 5..12, which share their names with Inventory columns.
    for (; index <= 12; ++index) {
        captions[index] = DictionaryCaption(pub, dictionary, catalogue.arrFldName[index]);
    }
    const char* const tailKeys[] = {
        "Zel.AA.ARCHIVE.FIELD.cgroupname", "Zel.AA.ARCHIVE.FIELD.main_ccomunitname",
        "Zel.AA.WHINVCONTRAPOSE.cpersoncode", "Zel.AA.WHINVCONTRAPOSE.cpersonname"};
    for (const char* key : tailKeys) {
        captions[index++] = pub.GetResString(key);
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
    if (!EqualsNoCase(fieldName, "cFrequency")) {
        return {};
    }
    const auto& units = catalogue.arrFreqText;
    return units[0] + ";" + units[1] + ";" + units[2];
}

std::string NullToStr(const std::optional<zel::Variant>& value) {
    return value ? value->ToString() : std::string();
}

}  // namespace korvel
