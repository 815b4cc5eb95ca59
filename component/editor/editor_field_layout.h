#pragma once

#include <QWidget>

#include "editor/editor_boxes.h"
#include "host/controls/ys_label.h"

namespace korvel {

// Lays the boxes out on the frame as the form shows a row: two columns of labelled fields, nine
// lines, in the order users read a row, each picker beside its box. Gives the label before the
// day list, whose caption follows the unit.
zel::YsLabel& LayOutEditorFields(QWidget& frame, const EditorBoxes& boxes);

}  // namespace korvel
