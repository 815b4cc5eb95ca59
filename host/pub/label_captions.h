#pragma once

#include <string>

class QWidget;

namespace zel {

class IClsCommon;

// Gives every label of the window named "Lab" or "Lbl" + a field of that kind ("inventory") the
// field's caption from the column dictionary (aa_columndic, ckey = kind); names compare without
// regard to case. Labels of fields without a caption keep their text; when the dictionary
// cannot be read nothing changes.
void SetFieldLabelCaptions(IClsCommon& db, QWidget& window, const std::string& kind);

}  // namespace zel
