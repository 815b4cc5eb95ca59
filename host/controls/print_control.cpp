#include "host/controls/print_control.h"

namespace zel {

PrintControl::PrintControl(ModalShower showModal, QWidget* parent)
    : QWidget(parent), showModal_(std::move(showModal)) {
    setObjectName(QStringLiteral("Prn"));
    hide();
}

void PrintControl::SetOwner(long long) {}

int PrintControl::SetDataStyleXML(const std::string&, bool, const std::string&, bool,
                                  const std::string&) {
    return 1;
}

void PrintControl::PrintPreview() {}

int PrintControl::DoPrint() {
    return 0;
}

int PrintControl::PageSetup() {
    return -1;
}

void PrintControl::TriggerEvent(int) {}

int PrintControl::ExportToFile(int& status, const std::string&, const std::string&,
                               const std::string&, const std::string&) {
    status = 1;
    return 1;
}

}  // namespace zel
