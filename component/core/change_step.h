#pragma once

#include "interfaces/cls_common.h"

namespace korvel {

// One entry of the change history for the writes of one action, for as long as it lives.
class ChangeStep {
public:
    explicit ChangeStep(zel::IClsCommon& db) : db_(db) { db_.BeginChangeStep(); }
    ~ChangeStep() { db_.EndChangeStep(); }
    ChangeStep(const ChangeStep&) = delete;
    ChangeStep& operator=(const ChangeStep&) = delete;

private:
    zel::IClsCommon& db_;
};

}  // namespace korvel
