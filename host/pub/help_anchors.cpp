#include "host/pub/help_anchors.h"

#include <algorithm>
#include <array>

namespace zel {
namespace {

constexpr std::array kAnchors{
    HelpAnchor{"WhInvContrapose", "main-window"}, HelpAnchor{"FrmAddInv", "editor"},
    HelpAnchor{"FrmBatchAdd", "batch-add"},       HelpAnchor{"FrmZMulModify", "multi-modify"},
    HelpAnchor{"FrmDueChecks", "due-checks"},     HelpAnchor{"Find", "filter"},
    HelpAnchor{"FindSet", "filter-fields"},       HelpAnchor{"Locate", "locate"},
};

}  // namespace

std::span<const HelpAnchor> HelpAnchors() {
    return kAnchors;
}

std::string_view HelpAnchorOf(std::string_view formKey) {
    const auto found = std::find_if(kAnchors.begin(), kAnchors.end(), [&](const HelpAnchor& entry) {
        return entry.formKey == formKey;
    });
    return found == kAnchors.end() ? kGuideContentsAnchor : found->anchor;
}

}  // namespace zel
