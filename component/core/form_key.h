#pragma once

namespace korvel {

// The key the host files this component's windows under: their layout, options and help, the
// function and edit locks they take, the deletions it logs.
inline constexpr const char* kFormKey = "WhInvContrapose";

// The forms the other windows' help is bound under, each opening the user's guide at its own
// section; the main window's help is bound under kFormKey.
inline constexpr const char* kEditorHelpKey = "FrmAddInv";
inline constexpr const char* kBatchAddHelpKey = "FrmBatchAdd";
inline constexpr const char* kMulModifyHelpKey = "FrmZMulModify";
inline constexpr const char* kDueChecksHelpKey = "FrmDueChecks";
inline constexpr const char* kChangeHistoryHelpKey = "FrmChangeHistory";
inline constexpr const char* kImportHelpKey = "FrmImport";

}  // namespace korvel
