#pragma once

#include <string>
#include <string_view>

namespace zel {

// What a look-up offers, by the reference type its caller names ("Inventory", "warehouse",
// "person", in any case): the window title, the fields the typed text is matched against and the
// key the column dictionary keeps the captions of its columns under.
struct ReferenceKind {
    std::string title;
    std::string dictionaryKey;  // a type the picker does not know: the type as its caller names it
    std::string codeField;      // empty for a type the picker does not know: the first column
    std::string nameField;      // empty for a type the picker does not know: the second column
    bool hasClasses = false;    // inventory items can be narrowed by their class

    static ReferenceKind Of(std::string_view referenceType);
};

}  // namespace zel
