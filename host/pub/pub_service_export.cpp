#include "host/pub/pub_service.h"

namespace zel {

void PubService::GetTypeSize(std::string&, std::string&, const std::shared_ptr<IRecordset>&,
                             FlexGrid&) {}

}  // namespace zel
