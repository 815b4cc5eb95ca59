#pragma once

namespace zel {

// MsgBox codes of the host beyond those the component uses.
inline constexpr int kMsgYesNoCancel = 3;
inline constexpr int kAnswerCancel = 2;

}  // namespace zel
