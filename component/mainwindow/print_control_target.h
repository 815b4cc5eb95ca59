#pragma once

#include "host/controls/print/print_control.h"
#include "mainwindow/print_target.h"

namespace korvel {

// The host's print control as PrintAll drives it.
class PrintControlTarget final : public PrintTarget {
public:
    explicit PrintControlTarget(zel::PrintControl& control) : control_(control) {}

    void SetVisible(bool visible) override;
    int SetDataStyleXML(const std::string& data, bool dataIsFile, const std::string& style,
                        bool styleIsFile, const std::string& styleName) override;
    int PageSetup() override;
    void TriggerEvent(int event) override;
    int DoPrint() override;
    long long ParentHandle() const override;
    void SetOwner(long long windowHandle) override;
    void PrintPreview() override;
    int ExportToFile(int& status, const std::string& types, const std::string& sizes,
                     const std::string& reserved1, const std::string& reserved2) override;

private:
    zel::PrintControl& control_;
};

}  // namespace korvel
