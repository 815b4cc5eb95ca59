#pragma once

#include <memory>

#include "host/objects/host_environment.h"
#include "interfaces/pub.h"

namespace zel {

// ZelPub.IPub: resource texts, message boxes and modal windows, the function and edit locks,
// authorisation and end-date conditions, captions and number texts.
class PubService final : public IPub {
public:
    // The factory creates the row-authorisation service for GetAuth; it must outlive the service.
    PubService(std::shared_ptr<HostEnvironment> environment, IObjectFactory& factory);

    std::string GetResString(const std::string& key) override;
    std::string GetResFormatString(const std::string& key,
                                   std::vector<std::string>& values) override;

    int MsgBox(const std::string& text, int buttons, const std::string& title) override;
    int ShowModal(QDialog& window, QWidget* owner) override;

    bool IsLockFun(IClsCommon& db, ILogin& login, const std::string& function, short mode) override;

    std::string GetAuth(const std::string& objectName, const std::string& userId,
                        const std::string& ysDBName, const std::string& right = "") override;
    std::string GetEndDateFilter(const std::string& kind, std::string& curDate) override;
    std::string GetFldCaption(std::shared_ptr<IRecordset>& dictionary,
                              const std::string& field) override;

    std::string FormatNum(const Variant& value, short& digits) override;
    void UtoLCase(std::string& text) override;
    std::string GetDispTxt(const std::string& value, std::vector<std::string>& from,
                           std::vector<std::string>& to) override;
    std::string GetCmbDB(const std::string& text, std::vector<std::string>& from,
                         std::vector<std::string>& to) override;

private:
    void ShowLockMessage(const std::string& text);

    std::shared_ptr<HostEnvironment> environment_;
    IObjectFactory& factory_;
};

}  // namespace zel
