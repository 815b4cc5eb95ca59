#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "interfaces/variant.h"

namespace zel {

// A query result as the component reads it. Field names are matched without regard to case.
class IRecordset {
public:
    virtual ~IRecordset() = default;

    // EOF is a C macro, hence the spelling.
    virtual bool Bof() const = 0;
    virtual bool Eof() const = 0;
    virtual void MoveFirst() = 0;  // forward-only results cannot go back: false from IsOpen after
    virtual void MoveNext() = 0;
    // Number of rows; -1 for a forward-only result, whose size is not known in advance.
    virtual long RecordCount() const = 0;
    // The number of rows when it is known without reading the rest of the result; -1 until then.
    // A result read as the caller moves learns it from a count taken beside the read, or at its
    // end; RecordCount instead reads on to the end when it must.
    virtual long KnownRecordCount() const { return RecordCount(); }
    virtual bool IsOpen() const = 0;
    virtual void Close() = 0;

    virtual int FieldCount() const = 0;
    virtual std::string FieldName(int index) const = 0;
    virtual int FieldIndex(std::string_view name) const = 0;  // -1 when there is no such field
    // Declared size of a text column (varchar(20) gives 20); 0 when the column declares none.
    virtual int FieldDefinedSize(int index) const = 0;
    // Where the field is read from, "Table.column" with the table as the schema names it; ""
    // for an expression or a field of no table.
    virtual std::string FieldSource(int index) const = 0;

    // Value of a field in the current row; nullopt when there is no current row or no such field.
    virtual std::optional<Variant> Fields(int index) const = 0;
    virtual std::optional<Variant> Fields(std::string_view name) const = 0;

    // Restricts a static result to the rows matching a condition of the form
    // "a='x' and b='y'" (=, <>, and, or, parentheses, quoted texts, numbers). False when the
    // condition cannot be read or the result is forward-only.
    virtual bool SetFilter(std::string_view condition) = 0;
};

}  // namespace zel
