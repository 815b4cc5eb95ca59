#include "host/controls/flex_grid.h"
#include "host/controls/print/print_style.h"
#include "host/pub/print_data_writer.h"
#include "host/pub/print_style_store.h"
#include "host/pub/pub_service.h"
#include "host/pub/window_options.h"

namespace zel {
namespace {

std::vector<std::string> GridCaptions(const FlexGrid& grid) {
    std::vector<std::string> captions;
    if (grid.FixedRows() == 0) {
        return captions;
    }
    for (int col = 0; col < grid.Cols(); ++col) {
        captions.push_back(grid.TextMatrix(0, col));
    }
    return captions;
}

bool PrintsSerialNumbers(const FlexGrid& grid) {
    const auto option = FindWindowOption("mPrintNo");
    return !option || WindowOptionState(*grid.window(), *option);
}

}  // namespace

void PubService::GetPrnStyle(const std::string&, std::string& style, const std::string& styleName,
                             IClsCommon& db, FlexGrid& grid) {
    if (!styleName.empty()) {
        if (auto stored = PrintStyleStore(db).Style(styleName)) {
            style = std::move(*stored);
            return;
        }
    }
    style = PrintStyle::ForCaptions(GridCaptions(grid)).ToXml();
}

void PubService::SavePrnStyle(IClsCommon& db, const std::string& styleName,
                              const std::string& style) {
    PrintStyleStore(db).Save(styleName, style);
}

void PubService::GetData(std::string& data, const std::string& warehouse, const std::string&,
                         const std::string& tableTitle, const std::string& accId,
                         const std::string& userId, const std::string& userName, IObject*,
                         IClsCommon&, FlexGrid& grid) {
    const std::string date = environment_->session ? environment_->session->CurDate() : "";
    const PrintHeading heading{tableTitle, accId, userId, userName, date, PrintsSerialNumbers(grid),
                               warehouse};
    AppendPrintData(data, heading, grid);
}

}  // namespace zel
