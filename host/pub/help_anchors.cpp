#include "host/pub/help_anchors.h"

#include <algorithm>

namespace zel {
namespace {

constexpr HelpAnchor kAnchors[] = {
    // The component's windows.
    {"WhInvContrapose", "main-window"},
    {"FrmAddInv", "editor"},
    {"FrmBatchAdd", "batch-add"},
    {"FrmZMulModify", "multi-modify"},
    {"FrmDueChecks", "due-checks"},
    {"FrmChangeHistory", "change-history"},
    {"FrmImport", "import"},
    // The host's dialogs.
    {"Find", "filter"},
    {"FindSet", "filter-fields"},
    {"Locate", "locate"},
};

}  // namespace

std::span<const HelpAnchor> HelpAnchors() {
    return kAnchors;
}

std::string_view HelpAnchorOf(std::string_view formKey) {
    const auto* found = std::ranges::find(kAnchors, formKey, &HelpAnchor::formKey);
    return found == std::ranges::end(kAnchors) ? kGuideContentsAnchor : found->anchor;
}

}  // namespace zel
