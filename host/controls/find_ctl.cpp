#include "host/controls/find_ctl.h"

#include <utility>

namespace zel {

FindCtl::FindCtl(ModalShower showModal, QWidget* parent)
    : QWidget(parent), showModal_(std::move(showModal)) {
    setObjectName("Find");
}

bool FindCtl::SetFieldDef(std::string&, std::shared_ptr<IRecordset>&, std::string& message,
                          const std::string&, const std::string&) {
    message = "not built yet";
    return false;
}

void FindCtl::SetConditionLines(int) {}

void FindCtl::Confirm() {}

}  // namespace zel
