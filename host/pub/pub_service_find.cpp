#include "host/pub/pub_service.h"

namespace zel {

void PubService::Find(ILogin&, const std::string&, QWidget&, std::string& condition) {
    condition.clear();
}

void PubService::FindSet(ILogin&, const std::string&, QWidget&) {}

}  // namespace zel
