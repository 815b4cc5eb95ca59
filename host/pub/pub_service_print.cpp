#include "host/pub/pub_service.h"

namespace zel {

void PubService::GetPrnStyle(const std::string&, std::string&, const std::string&, IClsCommon&,
                             FlexGrid&) {}

void PubService::SavePrnStyle(IClsCommon&, const std::string&, const std::string&) {}

void PubService::GetData(std::string&, const std::string&, const std::string&, const std::string&,
                         const std::string&, const std::string&, const std::string&, IObject*,
                         IClsCommon&, FlexGrid&) {}

}  // namespace zel
