#include "core/main_window_runner.h"

#include <sstream>

#include "core/common.h"
#include "core/const.h"
#include "core/run_ignoring_errors.h"

namespace korvel {
namespace {

template <class List>
std::string Joined(const List& items) {
    std::string text;
    const char* separator = "";
    for (const auto& item : items) {
        text += separator + item;
        separator = " | ";
    }
    return text;
}

void ReportLogin(const LoginContext& login, std::ostream& out) {
    if (login.login) {
        out << "user: " << login.login->cUserId() << "\n"
            << "database: " << login.login->ysDBName() << "\n";
    }
    out << "date: " << login.sCurDate << "\n"
        << "sAuthInv: " << login.sAuthInv << "\n"
        << "sAuthInvW: " << login.sAuthInvW << "\n"
        << "sAuthWh: " << login.sAuthWh << "\n"
        << "sAuthWhW: " << login.sAuthWhW << "\n"
        << "sAuthPerson: " << login.sAuthPerson << "\n"
        << "sAuthPersonW: " << login.sAuthPersonW << "\n";
}

void ReportCatalogue(const FieldCatalogue& catalogue, std::ostream& out) {
    out << "sModuleTitle: " << catalogue.sModuleTitle << "\n"
        << "sTableTitle: " << catalogue.sTableTitle << "\n"
        << "arrFldName: " << Joined(catalogue.arrFldName) << "\n"
        << "arrFldCaption: " << Joined(catalogue.arrFldCaption) << "\n"
        << "arrFreqText: " << Joined(catalogue.arrFreqText) << "\n"
        << "arrFreqValue: " << Joined(catalogue.arrFreqValue) << "\n"
        << "arrWeek: " << Joined(catalogue.arrWeek) << "\n"
        << "sFldDefXml: " << catalogue.sFldDefXml << "\n";
}

}  // namespace

MainWindowRunner ReportingMainWindowRunner(std::ostream& out) {
    return [&out](ComponentContext& context) {
        RunIgnoringErrors([&] { LoadQuantityStyle(context); });
        RunIgnoringErrors([&] { InitCatalogue(context); });
        ReportContext(context, out);
    };
}

void ReportContext(const ComponentContext& context, std::ostream& out) {
    ReportLogin(context.login, out);
    std::ostringstream style;
    context.quantity.style.save(style, "", pugi::format_raw | pugi::format_no_declaration);
    out << "quantity digits: " << context.quantity.digits << "\n"
        << "quantity style: " << style.str() << "\n";
    ReportCatalogue(context.catalogue, out);
    out.flush();
}

}  // namespace korvel
