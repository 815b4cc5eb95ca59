#pragma once

#include <optional>
#include <string_view>

namespace korvel {

// What one correspondence field takes part in: a field has a slot for each place it appears.
// The fields themselves are declared once, in kCorrespondenceFields (correspondence_fields.h).

inline constexpr int kNoPosition = -1;

enum class FieldKind { kCode, kText, kQuantity, kNumber, kWhole, kUnit, kDate };

// What the grid shows instead of the stored value, after the host's formatting.
enum class DisplayConversion {
    kNone,
    // The stored unit code through GetDispTxt(value, arrFreqValue, arrFreqText).
    kCycleUnit,
};

// What of the field the editor's box holds.
enum class EditorValue {
    kNone,
    kText,
    // The box shows another field (the person's name) and keeps this one in its Tag.
    kTag,
    // The text of the item chosen in a combo box.
    kListText,
};

// The value the field-definition tail carries between its two literal parts.
enum class DefinitionValue { kNone, kQuantityDigits, kUnitTexts };

// arrFldName and arrFldCaption.
struct CatalogueSlot {
    int nameIndex = kNoPosition;
    int captionIndex = kNoPosition;
    // Resource key of the caption; empty: the column dictionary's caption of the column.
    std::string_view captionKey = {};
};

struct GridSlot {
    int column = kNoPosition;
    // Table name written before the column in the select list; empty: written bare.
    std::string_view qualifier = {};
    // The host's select list has a blank after some items; the text must not drift.
    std::string_view trailer = {};
    DisplayConversion display = DisplayConversion::kNone;
};

struct EditorSlot {
    // Object name of the box that shows the field.
    std::string_view box = {};
    EditorValue value = EditorValue::kNone;
    // The box's place in the tab order, as the form numbers it; a box shared by two fields has
    // it once.
    int tab = kNoPosition;
    // Whether a saved modify writes the box back into the grid row.
    bool writtenBack = false;
    // Characters the box takes; 0: no limit of the field's own.
    int maxLength = 0;
    // Object name of the button beside the box that picks the field's value (F2 presses it).
    std::string_view picker = {};
};

struct RecordXmlSlot {
    int order = kNoPosition;
    // Spelled and cased as the database service expects it.
    std::string_view element = {};
    // Sent only while its box is enabled and visible.
    bool onlyWhenReachable = false;
};

// Batch add sends the two keys it is given and, for every other field it has a slot for, the
// value the item itself holds in Inventory. Its element names are not the editor's: each record
// keeps the spelling the database service has always been sent.
struct BatchSlot {
    int order = kNoPosition;
    std::string_view element = {};
    // Read from the item's own row (a column of the same name in Inventory).
    bool itemDefault = false;
};

// How multi-record modify checks a new value and writes it.
enum class ModifyKind {
    kWarehouseCode,
    kInventoryCode,
    kPersonCode,
    kLimit,
    kNumber,
    kCount,
    kUnit,
    kDate
};

// One element <whinvcontrapose.element showfldname='caption' + tail />; the spacing inside
// the tails is the condition control's format and must not change.
struct DefinitionSlot {
    int order = kNoPosition;
    std::string_view element = {};
    // Resource key of the caption; empty: the column dictionary's caption of the column.
    std::string_view captionKey = {};
    std::string_view tailHead = {};
    DefinitionValue value = DefinitionValue::kNone;
    std::string_view tailEnd = {};
};

struct CorrespondenceField {
    // As stored, in the recordset and in the column dictionary.
    std::string_view column = {};
    FieldKind kind = FieldKind::kText;
    CatalogueSlot catalogue = {};
    GridSlot grid = {};
    EditorSlot editor = {};
    RecordXmlSlot recordXml = {};
    DefinitionSlot definition = {};
    BatchSlot batch = {};
    // Only a field of the field definition can be changed in bulk, and each of those can.
    std::optional<ModifyKind> modify = {};
};

}  // namespace korvel
