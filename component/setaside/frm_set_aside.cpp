#include "setaside/frm_set_aside.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/common.h"
#include "core/correspondence_fields.h"
#include "setaside/set_aside_notice.h"

namespace korvel {
namespace {

constexpr const char* kFormName = "FrmSetAside";

}  // namespace

FrmSetAside::FrmSetAside(ComponentContext& context, std::function<void()> refreshMain,
                         PutBackInEditor putBack, QWidget* parent)
    : ListWindow(context, kFormName, "Zel.AA.WHINVCONTRAPOSE.SETASIDE.title",
                 std::move(refreshMain), parent),
      store_(context.login),
      putBack_(std::move(putBack)) {
    CreateControls();
    connect(&Grid(), &zel::FlexGrid::DblClick, this, [this] { PutBackCurrentRow(); });
    resize(960, 480);
}

void FrmSetAside::CreateControls() {
    auto* actions = new QHBoxLayout;
    actions->addWidget(&Count(), 1);
    AddButton(*actions, "PutBackButton", Text("Zel.AA.WHINVCONTRAPOSE.SETASIDE.put_back"),
              [this] { PutBackCurrentRow(); });
    AddPrintAndCloseButtons(*actions);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&Grid(), 1);
    layout->addLayout(actions);
}

void FrmSetAside::Query() {
    BeginQuery();
    auto rows = store_.ReadRows();
    if (!rows) {
        ShowFailure("Zel.AA.WHINVCONTRAPOSE.SETASIDE.failed");
    }
    rows_ = rows ? std::move(*rows) : std::vector<SetAsideRow>{};
    ShowHeader(Captions());
    AppendRows(0);
    ShowCount("Zel.AA.WHINVCONTRAPOSE.SETASIDE.rows");
}

// The columns of the rows kept, under the captions the main grid gives the same fields.
std::vector<std::string> FrmSetAside::Captions() const {
    std::vector<std::string> captions{Text("Zel.AA.WHINVCONTRAPOSE.SETASIDE.reason"),
                                      Text("Zel.AA.WHINVCONTRAPOSE.SETASIDE.when")};
    if (rows_.empty()) {
        return captions;
    }
    const FieldCatalogue& catalogue = Context().catalogue;
    for (const auto& [column, value] : rows_.front().values) {
        const CorrespondenceField* field = FieldNamed(column);
        const int index = field ? field->catalogue.captionIndex : -1;
        const bool captioned = index >= 0 &&
                               static_cast<std::size_t>(index) < catalogue.arrFldCaption.size() &&
                               !catalogue.arrFldCaption[static_cast<std::size_t>(index)].empty();
        captions.push_back(captioned ? catalogue.arrFldCaption[static_cast<std::size_t>(index)]
                                     : column);
    }
    return captions;
}

std::vector<std::string> FrmSetAside::CellsOf(std::size_t row) const {
    const SetAsideRow& kept = rows_[row];
    std::vector<std::string> cells{SetAsideReasonInWords(*Context().login.pub, kept.reason),
                                   kept.setAsideAt};
    for (const auto& [column, value] : kept.values) {
        cells.push_back(value.value_or(""));
    }
    return cells;
}

PrintSubject FrmSetAside::Subject() const {
    const std::string title = Text("Zel.AA.WHINVCONTRAPOSE.SETASIDE.title");
    return {title, title, {}, {}};
}

void FrmSetAside::PutBackCurrentRow() {
    const int row = Grid().Row();
    if (!putBack_ || row < 1 || row >= Grid().Rows()) {
        return;
    }
    const SetAsideRow kept = rows_[static_cast<std::size_t>(row - 1)];
    if (!putBack_(kept)) {
        return;
    }
    MarkChanged();
    if (!store_.Remove(kept)) {
        ShowFailure("Zel.AA.WHINVCONTRAPOSE.SETASIDE.not_removed");
    }
    Query();
}

void FrmSetAside::ShowFailure(const std::string& key) {
    zel::IPub& pub = *Context().login.pub;
    ShowInfoMessage(pub, pub.GetResFormatString(key, {store_.LastError()}));
}

}  // namespace korvel
