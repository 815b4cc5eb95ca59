#pragma once

#include <array>
#include <string>
#include <vector>

namespace korvel {

// The field names, captions, titles and check-cycle texts every window reads; rebuilt by
// InitCatalogue each time the main window loads.
struct FieldCatalogue {
    // Field names in the order of the grid query; index 15 stays empty.
    std::array<std::string, 16> arrFldName;
    // Column captions; index 17 stays empty.
    std::array<std::string, 18> arrFldCaption;
    // Weekday names for iDays, indexes 1..7 (1 is Sunday); index 0 stays empty.
    std::array<std::string, 8> arrWeek;
    // Vectors because the host's GetDispTxt and GetCmbDB take the lists as vectors.
    std::vector<std::string> arrFreqText = std::vector<std::string>(3);
    std::vector<std::string> arrFreqValue = std::vector<std::string>(3);
    std::string sModuleTitle;
    std::string sTableTitle;
    std::string sFldDefXml;
};

}  // namespace korvel
