#include "mainwindow/print_control_target.h"

namespace korvel {

void PrintControlTarget::SetVisible(bool visible) {
    control_.setVisible(visible);
}

int PrintControlTarget::SetDataStyleXML(const std::string& data, bool dataIsFile,
                                        const std::string& style, bool styleIsFile,
                                        const std::string& styleName) {
    return control_.SetDataStyleXML(data, dataIsFile, style, styleIsFile, styleName);
}

int PrintControlTarget::PageSetup() {
    return control_.PageSetup();
}

void PrintControlTarget::TriggerEvent(int event) {
    control_.TriggerEvent(event);
}

int PrintControlTarget::DoPrint() {
    return control_.DoPrint();
}

long long PrintControlTarget::ParentHandle() const {
    QWidget* parent = control_.parentWidget();
    return parent ? static_cast<long long>(parent->winId()) : 0;
}

void PrintControlTarget::SetOwner(long long windowHandle) {
    control_.SetOwner(windowHandle);
}

void PrintControlTarget::PrintPreview() {
    control_.PrintPreview();
}

int PrintControlTarget::ExportToFile(int& status, const std::string& types,
                                     const std::string& sizes, const std::string& reserved1,
                                     const std::string& reserved2) {
    return control_.ExportToFile(status, types, sizes, reserved1, reserved2);
}

}  // namespace korvel
