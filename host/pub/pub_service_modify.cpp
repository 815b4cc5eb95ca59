#include "host/pub/pub_service.h"

namespace zel {

void PubService::showRef(QWidget&, const std::string&, ILogin&, bool& ok, const std::string&,
                         std::string&, std::string&, std::shared_ptr<IRecordset>&) {
    ok = false;
}

bool PubService::IFExists(IClsCommon&, const std::string&, const std::string&, const std::string&,
                          bool, const std::string&, const std::string&) {
    return false;
}

bool PubService::CheckDateStyle(const std::string&, const std::string&) {
    return false;
}

void PubService::ModifyInitMsg(std::shared_ptr<IRecordset>& report, const std::string&,
                               const std::string&) {
    report.reset();
}

void PubService::ModifyAddMsg(std::shared_ptr<IRecordset>&, const std::vector<std::string>&) {}

void PubService::ModifyShowMsg(QWidget&, ILogin&, IClsCommon&, std::shared_ptr<IRecordset>&) {}

}  // namespace zel
