#include "host/refer/refer_client.h"

#include <QApplication>

#include "host/refer/ascii_text.h"
#include "host/refer/chosen_rows.h"
#include "host/refer/recordset_cursor.h"
#include "host/refer/reference_dialog.h"
#include "interfaces/cls_common.h"

namespace zel {
namespace {

constexpr const char* kDatabaseProgId = "ZelSrvTrans.IClsCommon";

}  // namespace

ReferClient::ReferClient(std::shared_ptr<HostEnvironment> environment, IObjectFactory& factory)
    : environment_(std::move(environment)), factory_(factory) {}

bool ReferClient::StrRefInit(const std::shared_ptr<ILogin>& login, bool multiSelect,
                             const std::string& classQuery, const std::string& itemQuery,
                             const std::string&, const std::string& referenceType) {
    items_.reset();
    classes_.reset();
    chosen_.reset();
    kind_ = ReferenceKind::Of(referenceType);
    multiSelect_ = multiSelect;
    return login != nullptr && OpenQueries(*login, classQuery, itemQuery);
}

bool ReferClient::OpenQueries(const ILogin& login, const std::string& classQuery,
                              const std::string& itemQuery) {
    const auto database = CreateObjectAs<IClsCommon>(factory_, kDatabaseProgId);
    if (database == nullptr) {
        return false;
    }
    database->Init(login.ysDBName());
    if (!database->Status()) {
        return false;
    }
    auto items = database->OpenX(itemQuery);
    if (items == nullptr || !items->IsOpen()) {
        return false;
    }
    if (!IsBlank(classQuery)) {
        classes_ = database->OpenX(classQuery);
        if (classes_ == nullptr || !classes_->IsOpen()) {
            classes_.reset();
            return false;
        }
    }
    items_ = std::make_shared<RecordsetCursor>(std::move(items));
    captions_ = ColumnCaptions::Read(*database, kind_.dictionaryKey);
    return true;
}

void ReferClient::Show() {
    chosen_.reset();
    if (items_ == nullptr) {
        return;
    }
    ReferenceDialog dialog(kind_, items_, classes_.get(), multiSelect_, captions_);
    const int answer = environment_->dialogs->ShowModal(dialog, QApplication::activeWindow());
    // A presenter that closes the window itself need not pass on the code accept() set; the
    // window keeps it.
    if (answer != QDialog::Accepted && dialog.result() != QDialog::Accepted) {
        return;
    }
    const std::vector<int> rows = dialog.ChosenRows();
    if (!rows.empty()) {
        chosen_ = ChosenRows(*items_, rows);
    }
}

}  // namespace zel
