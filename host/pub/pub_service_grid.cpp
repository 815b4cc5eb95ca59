#include "host/pub/pub_service.h"

namespace zel {

void PubService::FindPos(QWidget&, FlexGrid&) {}

void PubService::GridSort(QWidget&, FlexGrid&, int) {}

void PubService::GridSortNew(QWidget&, FlexGrid&, const std::string&) {}

void PubService::ShowPopupMenu(QWidget&, FlexGrid&, short, short, float, float) {}

}  // namespace zel
