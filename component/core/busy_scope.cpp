#include "core/busy_scope.h"

namespace korvel {

BusyScope::BusyScope(bool& busy, std::initializer_list<QWidget*> parts) : busy_(busy) {
    busy_ = true;
    for (QWidget* part : parts) {
        part->setEnabled(false);
        parts_.emplace_back(part);
    }
}

BusyScope::~BusyScope() {
    for (const QPointer<QWidget>& part : parts_) {
        if (part) {
            part->setEnabled(true);
        }
    }
    busy_ = false;
}

}  // namespace korvel
