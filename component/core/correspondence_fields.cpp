#include "core/correspondence_fields.h"

#include <algorithm>

#include "core/text_case.h"

namespace korvel {
namespace {

using Position = int (*)(const CorrespondenceField&);

constexpr int GridColumn(const CorrespondenceField& field) {
    return field.grid.column;
}
constexpr int CaptionIndex(const CorrespondenceField& field) {
    return field.catalogue.captionIndex;
}
constexpr int NameIndex(const CorrespondenceField& field) {
    return field.catalogue.nameIndex;
}
constexpr int RecordXmlOrder(const CorrespondenceField& field) {
    return field.recordXml.order;
}
constexpr int BatchOrder(const CorrespondenceField& field) {
    return field.batch.order;
}
constexpr int DefinitionOrder(const CorrespondenceField& field) {
    return field.definition.order;
}
constexpr int EditorTab(const CorrespondenceField& field) {
    return field.editor.tab;
}

constexpr auto Holders(Position position, int value) {
    return std::count_if(
        kCorrespondenceFields.begin(), kCorrespondenceFields.end(),
        [&](const CorrespondenceField& field) { return position(field) == value; });
}

// The form numbers its tab order with gaps; two boxes on one place would leave one out.
constexpr bool PositionsAreUnique(Position position) {
    return std::all_of(kCorrespondenceFields.begin(), kCorrespondenceFields.end(),
                       [&](const CorrespondenceField& field) {
                           const int value = position(field);
                           return value == kNoPosition || Holders(position, value) == 1;
                       });
}

// Each of first, first + 1, ... held by exactly one field, and no other position used: a
// field added to a slot without its neighbours renumbered would shift every text built.
constexpr bool PositionsAreDense(Position position, int first) {
    const auto held =
        static_cast<int>(kCorrespondenceFields.size() - Holders(position, kNoPosition));
    for (int expected = first; expected < first + held; ++expected) {
        if (Holders(position, expected) != 1) {
            return false;
        }
    }
    return true;
}

// The grid's column 0 is the serial number.
static_assert(PositionsAreDense(GridColumn, 1));
static_assert(PositionsAreDense(CaptionIndex, 0));
static_assert(PositionsAreDense(NameIndex, 0));
static_assert(PositionsAreDense(RecordXmlOrder, 0));
static_assert(PositionsAreDense(BatchOrder, 0));
static_assert(PositionsAreDense(DefinitionOrder, 0));
static_assert(PositionsAreUnique(EditorTab));

constexpr bool EveryGridColumnHasACaption() {
    return std::all_of(kCorrespondenceFields.begin(), kCorrespondenceFields.end(),
                       [](const CorrespondenceField& field) {
                           return field.grid.column == kNoPosition ||
                                  field.catalogue.captionIndex != kNoPosition;
                       });
}

static_assert(EveryGridColumnHasACaption());

constexpr bool ModifyKindsFollowTheDefinition() {
    return std::all_of(kCorrespondenceFields.begin(), kCorrespondenceFields.end(),
                       [](const CorrespondenceField& field) {
                           return field.modify.has_value() ==
                                  (field.definition.order != kNoPosition);
                       });
}

static_assert(ModifyKindsFollowTheDefinition());

FieldList OrderedBy(Position position) {
    FieldList fields;
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        if (position(field) != kNoPosition) {
            fields.push_back(&field);
        }
    }
    std::sort(fields.begin(), fields.end(),
              [&](const CorrespondenceField* left, const CorrespondenceField* right) {
                  return position(*left) < position(*right);
              });
    return fields;
}

const CorrespondenceField* FieldAt(Position position, int value) {
    if (value == kNoPosition) {
        return nullptr;
    }
    const auto found =
        std::find_if(kCorrespondenceFields.begin(), kCorrespondenceFields.end(),
                     [&](const CorrespondenceField& field) { return position(field) == value; });
    return found == kCorrespondenceFields.end() ? nullptr : &*found;
}

}  // namespace

FieldList FieldsInGridOrder() {
    return OrderedBy(GridColumn);
}

FieldList FieldsInCaptionOrder() {
    return OrderedBy(CaptionIndex);
}

FieldList FieldsInRecordXmlOrder() {
    return OrderedBy(RecordXmlOrder);
}

FieldList FieldsInBatchOrder() {
    return OrderedBy(BatchOrder);
}

FieldList FieldsInDefinitionOrder() {
    return OrderedBy(DefinitionOrder);
}

FieldList FieldsInEditorTabOrder() {
    return OrderedBy(EditorTab);
}

const CorrespondenceField* FieldAtGridColumn(int column) {
    return FieldAt(GridColumn, column);
}

const CorrespondenceField* FieldOfCaption(int captionIndex) {
    return FieldAt(CaptionIndex, captionIndex);
}

const CorrespondenceField* FieldNamed(std::string_view column) {
    const auto found = std::find_if(
        kCorrespondenceFields.begin(), kCorrespondenceFields.end(),
        [&](const CorrespondenceField& field) { return EqualsNoCase(field.column, column); });
    return found == kCorrespondenceFields.end() ? nullptr : &*found;
}

bool TakesQuantityDigits(const CorrespondenceField& field) {
    return field.kind == FieldKind::kQuantity || field.kind == FieldKind::kNumber;
}

bool HoldsNumber(const CorrespondenceField& field) {
    return TakesQuantityDigits(field) || field.kind == FieldKind::kWhole;
}

bool ComparesWithoutCase(const CorrespondenceField& field) {
    return field.kind == FieldKind::kCode || field.kind == FieldKind::kUnit;
}

std::size_t IndexOf(const CorrespondenceField& field) {
    return static_cast<std::size_t>(&field - kCorrespondenceFields.data());
}

bool IsSavedFromBox(std::string_view box) {
    return std::any_of(kCorrespondenceFields.begin(), kCorrespondenceFields.end(),
                       [&](const CorrespondenceField& field) {
                           return field.editor.box == box && field.recordXml.order != kNoPosition;
                       });
}

}  // namespace korvel
