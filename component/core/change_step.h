#pragma once

#include "interfaces/cls_common.h"

namespace korvel {

// One entry of the change history for the writes of one action, per kind of change, for as long
// as it lives.
class ChangeStep {
public:
    explicit ChangeStep(zel::IClsCommon& db) : db_(db) { db_.BeginChangeStep(); }
    ~ChangeStep() { db_.EndChangeStep(); }
    ChangeStep(const ChangeStep&) = delete;
    ChangeStep& operator=(const ChangeStep&) = delete;

private:
    zel::IClsCommon& db_;
};

// One entry of kind "import" for every write of an import, for as long as it lives.
class ImportStep {
public:
    explicit ImportStep(zel::IClsCommon& db) : db_(db) { db_.BeginImportStep(); }
    ~ImportStep() { db_.EndChangeStep(); }
    ImportStep(const ImportStep&) = delete;
    ImportStep& operator=(const ImportStep&) = delete;

private:
    zel::IClsCommon& db_;
};

}  // namespace korvel
