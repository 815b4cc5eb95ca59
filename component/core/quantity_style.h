#pragma once

#include <pugixml.hpp>

namespace korvel {

// The account's decimals for quantities and the style element the host formatting reads.
struct QuantityStyle {
    short digits = 2;
    // Holds the element <style> with <iwastage>, <ilowsum>, <isafenum>, <itopsum>.
    pugi::xml_document style;

    pugi::xml_node Element() const { return style.document_element(); }
};

}  // namespace korvel
