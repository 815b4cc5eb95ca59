#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "core/correspondence_fields.h"

namespace korvel {

// The box the field table names for the field among the window's children; nullptr when the
// window has none of that kind.
template <class Box>
Box* FieldBox(const QObject& window, const CorrespondenceField& field) {
    return window.findChild<Box*>(QString::fromStdString(std::string(field.editor.box)));
}

}  // namespace korvel
