#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "core/correspondence_field.h"

namespace korvel {

// The correspondence fields, declared once: the catalogue, the grid's query and header, the
// editor's boxes, the record XML of the editor and of batch add, batch add's defaults and the
// field definition and field kinds of the multi-record modify read them from
// kCorrespondenceFields below, and so should every later window that lists fields.
// A field takes part in what it has a slot for; positions count from 0, except grid columns,
// which are the grid's own (its column 0 is the serial number).

inline constexpr std::array<CorrespondenceField, 19> kCorrespondenceFields = {{
    {.column = "cWhCode",
     .kind = FieldKind::kCode,
     .editor = {.box = "EdtcWhCode",
                .value = EditorValue::kText,
                .tab = 0,
                .maxLength = 20,
                .picker = "cmdRef1"},
     .recordXml = {.order = 0, .element = "CWhCode"},
     .definition = {.order = 0,
                    .element = "CWhCode",
                    .captionKey = "Zel.AA.ARCHIVE.FIELD.cwhcode",
                    .tailHead = "'  reftype='ref' bmulmodify='1' />"},
     .batch = {.order = 0, .element = "CWhCode"},
     .modify = ModifyKind::kWarehouseCode},
    // The warehouse's name is shown beside its code and never saved.
    {.column = "cWhName", .editor = {.box = "EdtcWhName", .value = EditorValue::kText, .tab = 1}},
    {.column = "cInvCode",
     .kind = FieldKind::kCode,
     .catalogue = {.nameIndex = 0,
                   .captionIndex = 0,
                   .captionKey = "Zel.AA.ARCHIVE.FIELD.cinvcode"},
     .grid = {.column = 1, .qualifier = "WhInvContrapose"},
     .editor = {.box = "Edtcinvcode",
                .value = EditorValue::kText,
                .tab = 2,
                .writtenBack = true,
                .maxLength = 60,
                .picker = "cmdRef2"},
     .recordXml = {.order = 1, .element = "cInvCode"},
     .definition = {.order = 1,
                    .element = "cInvCode",
                    .tailHead = "'  reftype='ref'  bmulmodify='1' />"},
     .batch = {.order = 1, .element = "cInvCode"},
     .modify = ModifyKind::kInventoryCode},
    {.column = "cInvName",
     .catalogue = {.nameIndex = 1,
                   .captionIndex = 1,
                   .captionKey = "Zel.AA.ARCHIVE.FIELD.cinvname"},
     .grid = {.column = 2, .qualifier = "Inventory"},
     .editor = {.box = "EdtcInvName", .value = EditorValue::kText, .tab = 3, .writtenBack = true}},
    {.column = "cInvStd",
     .catalogue = {.nameIndex = 2, .captionIndex = 2, .captionKey = "Zel.AA.ARCHIVE.FIELD.cinvstd"},
     .grid = {.column = 3, .qualifier = "Inventory"},
     .editor = {.box = "EdtcInvStd", .value = EditorValue::kText, .tab = 4, .writtenBack = true}},
    {.column = "cGroupCode",
     .kind = FieldKind::kCode,
     .catalogue = {.nameIndex = 3,
                   .captionIndex = 3,
                   .captionKey = "Zel.AA.ARCHIVE.FIELD.cgroupcode"},
     .grid = {.column = 4, .qualifier = "Inventory"},
     .editor =
         {.box = "EdtcGroupCode", .value = EditorValue::kText, .tab = 5, .writtenBack = true}},
    // The names of the unit group and the main unit come with the item and are never saved.
    {.column = "cGroupName",
     .catalogue = {.captionIndex = 13, .captionKey = "Zel.AA.ARCHIVE.FIELD.cgroupname"},
     .grid = {.column = 5, .qualifier = "computationGroup"},
     .editor = {.box = "EdtcGroupName", .value = EditorValue::kText, .tab = 41}},
    {.column = "cComunitCode",
     .kind = FieldKind::kCode,
     .catalogue = {.nameIndex = 4,
                   .captionIndex = 4,
                   .captionKey = "Zel.AA.ARCHIVE.FIELD.main_ccomunitcode"},
     .grid = {.column = 6, .qualifier = "Inventory"},
     .editor =
         {.box = "EdtcComunitCode", .value = EditorValue::kText, .tab = 6, .writtenBack = true}},
    {.column = "cComUnitName",
     .catalogue = {.captionIndex = 14, .captionKey = "Zel.AA.ARCHIVE.FIELD.main_ccomunitname"},
     .grid = {.column = 7, .qualifier = "ComputationUnit", .trailer = " "},
     .editor = {.box = "EdtcComunitName", .value = EditorValue::kText, .tab = 42}},
    {.column = "iTopSum",
     .kind = FieldKind::kQuantity,
     .catalogue = {.nameIndex = 5, .captionIndex = 5},
     .grid = {.column = 8, .qualifier = "WhInvContrapose"},
     .editor = {.box = "EdtiTopSum", .value = EditorValue::kText, .tab = 10, .writtenBack = true},
     .recordXml = {.order = 3, .element = "itopsum", .onlyWhenReachable = true},
     .definition = {.order = 2,
                    .element = "iTopSum",
                    .tailHead = "'  reftype='decdgt'  bmulmodify='1'  decdgt='",
                    .value = DefinitionValue::kQuantityDigits,
                    .tailEnd = "' />"},
     .batch = {.order = 2, .element = "iTopSum", .itemDefault = true},
     .modify = ModifyKind::kLimit},
    {.column = "iLowSum",
     .kind = FieldKind::kQuantity,
     .catalogue = {.nameIndex = 6, .captionIndex = 6},
     .grid = {.column = 9, .qualifier = "WhInvContrapose"},
     .editor = {.box = "EdtiLowSum", .value = EditorValue::kText, .tab = 11, .writtenBack = true},
     .recordXml = {.order = 4, .element = "ilowsum", .onlyWhenReachable = true},
     .definition = {.order = 3,
                    .element = "iLowSum",
                    .tailHead = "'  reftype='decdgt'  bmulmodify='1' decdgt='",
                    .value = DefinitionValue::kQuantityDigits,
                    .tailEnd = "'  />"},
     .batch = {.order = 3, .element = "iLowSum", .itemDefault = true},
     .modify = ModifyKind::kLimit},
    {.column = "iSafeNum",
     .kind = FieldKind::kQuantity,
     .catalogue = {.nameIndex = 7, .captionIndex = 7},
     .grid = {.column = 10, .qualifier = "WhInvContrapose"},
     .editor = {.box = "EdtiSafeNum", .value = EditorValue::kText, .tab = 12, .writtenBack = true},
     .recordXml = {.order = 5, .element = "isafenum", .onlyWhenReachable = true},
     .definition = {.order = 4,
                    .element = "iSafeNum",
                    .tailHead = "'  reftype='decdgt'  bmulmodify='1'  decdgt='",
                    .value = DefinitionValue::kQuantityDigits,
                    .tailEnd = "' />"},
     .batch = {.order = 4, .element = "iSafeNum", .itemDefault = true},
     .modify = ModifyKind::kLimit},
    {.column = "iWastage",
     .kind = FieldKind::kNumber,
     .catalogue = {.nameIndex = 8, .captionIndex = 8},
     .grid = {.column = 11, .qualifier = "WhInvContrapose"},
     .editor = {.box = "EdtiWastage", .value = EditorValue::kText, .tab = 8, .writtenBack = true},
     .recordXml = {.order = 6, .element = "iWastage", .onlyWhenReachable = true},
     .definition = {.order = 5,
                    .element = "iWastage",
                    .tailHead = "'  reftype='decdgt'  bmulmodify='1' decdgt='",
                    .value = DefinitionValue::kQuantityDigits,
                    .tailEnd = "'  />"},
     .batch = {.order = 5, .element = "iWastage", .itemDefault = true},
     .modify = ModifyKind::kNumber},
    {.column = "iFrequency",
     .kind = FieldKind::kWhole,
     .catalogue = {.nameIndex = 9, .captionIndex = 9},
     .grid = {.column = 12, .qualifier = "WhInvContrapose"},
     .editor = {.box = "EdtiFrequency",
                .value = EditorValue::kText,
                .tab = 13,
                .writtenBack = true,
                .maxLength = 4},
     .recordXml = {.order = 7, .element = "iFrequency", .onlyWhenReachable = true},
     .definition = {.order = 6,
                    .element = "iFrequency",
                    .tailHead = "'  reftype=''  bmulmodify='1'   />"},
     .batch = {.order = 6, .element = "iFrequency", .itemDefault = true},
     .modify = ModifyKind::kCount},
    {.column = "cFrequency",
     .kind = FieldKind::kUnit,
     .catalogue = {.nameIndex = 10, .captionIndex = 10},
     .grid = {.column = 13,
              .qualifier = "WhInvContrapose",
              .display = DisplayConversion::kCycleUnit},
     .editor =
         {.box = "CbocFrequency", .value = EditorValue::kListText, .tab = 14, .writtenBack = true},
     .recordXml = {.order = 8, .element = "cFrequency"},
     .definition = {.order = 7,
                    .element = "cFrequency",
                    .tailHead = "'  reftype='enum' enumval='",
                    .value = DefinitionValue::kUnitTexts,
                    .tailEnd = "'  bmulmodify='1'   />"},
     .batch = {.order = 7, .element = "cFrequency", .itemDefault = true},
     .modify = ModifyKind::kUnit},
    // The day within the cycle depends on the unit and cannot be changed in bulk.
    {.column = "iDays",
     .kind = FieldKind::kWhole,
     .catalogue = {.nameIndex = 11, .captionIndex = 11},
     .grid = {.column = 14, .qualifier = "WhInvContrapose"},
     .editor = {.box = "CboiDays", .value = EditorValue::kListText, .tab = 15, .writtenBack = true},
     .recordXml = {.order = 9, .element = "iDays", .onlyWhenReachable = true},
     .batch = {.order = 8, .element = "iDays", .itemDefault = true}},
    {.column = "dLastDate",
     .kind = FieldKind::kDate,
     .catalogue = {.nameIndex = 12, .captionIndex = 12},
     .grid = {.column = 15, .qualifier = "WhInvContrapose"},
     .editor = {.box = "EdtdLastDate",
                .value = EditorValue::kText,
                .tab = 9,
                .writtenBack = true,
                .maxLength = 10,
                .picker = "CmdDate"},
     .recordXml = {.order = 10, .element = "dLastDate", .onlyWhenReachable = true},
     .definition = {.order = 8,
                    .element = "dLastDate",
                    .tailHead = "'  reftype='date' bmulmodify='1' />"},
     .batch = {.order = 9, .element = "dLastDate", .itemDefault = true},
     .modify = ModifyKind::kDate},
    {.column = "cWhPersonCode",
     .kind = FieldKind::kCode,
     .catalogue = {.nameIndex = 13,
                   .captionIndex = 15,
                   .captionKey = "Zel.AA.WHINVCONTRAPOSE.cpersoncode"},
     .grid = {.column = 16},
     .editor = {.box = "EdtcWhPersonCode",
                .value = EditorValue::kTag,
                .tab = 7,
                .writtenBack = true,
                .picker = "cmdRef3"},
     .recordXml = {.order = 2, .element = "cWhPersonCode"},
     .definition = {.order = 9,
                    .element = "cWhPersonCode",
                    .captionKey = "Zel.AA.WHINVCONTRAPOSE.cpersoncode",
                    .tailHead = "'  reftype='ref'  bmulmodify='1'  />"},
     .modify = ModifyKind::kPersonCode},
    // Stored with its table: the person's name is not a column of the correspondence table.
    {.column = "Person.cPersonName",
     .catalogue = {.nameIndex = 14,
                   .captionIndex = 16,
                   .captionKey = "Zel.AA.WHINVCONTRAPOSE.cpersonname"},
     .grid = {.column = 17},
     .editor = {.box = "EdtcWhPersonCode", .value = EditorValue::kText, .writtenBack = true}},
}};

using FieldList = std::vector<const CorrespondenceField*>;

// The fields that have a slot, in the slot's order.
FieldList FieldsInGridOrder();
FieldList FieldsInCaptionOrder();
FieldList FieldsInRecordXmlOrder();
FieldList FieldsInBatchOrder();
FieldList FieldsInDefinitionOrder();
FieldList FieldsInEditorTabOrder();

// nullptr when no field has that position.
const CorrespondenceField* FieldAtGridColumn(int column);
const CorrespondenceField* FieldOfCaption(int captionIndex);
// The field of that column, compared without regard to ASCII case as the host's names are.
const CorrespondenceField* FieldNamed(std::string_view column);
// Quantities and numbers are shown and entered with the quantity decimal digits.
bool TakesQuantityDigits(const CorrespondenceField& field);
// Whether the field holds a number of any kind: quantities, rates and whole numbers.
bool HoldsNumber(const CorrespondenceField& field);
// Whether the field's values compare without regard to letter case, as the table's keys do on both
// engines: codes and the cycle unit.
bool ComparesWithoutCase(const CorrespondenceField& field);
// Whether the record carries a field that the box shows; the other boxes only show.
bool IsSavedFromBox(std::string_view box);
// The field of the column as spelled in the table, found while compiling: a misspelt name does
// not build.
consteval const CorrespondenceField& Field(std::string_view column) {
    for (const CorrespondenceField& field : kCorrespondenceFields) {
        if (field.column == column) {
            return field;
        }
    }
    throw "no correspondence field has that column";
}
// The field's position in kCorrespondenceFields.
std::size_t IndexOf(const CorrespondenceField& field);

}  // namespace korvel
