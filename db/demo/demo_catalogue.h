#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zel::demo {

// A class of the lowest level: the items filed under it and how they are counted.
struct DemoLeafClass {
    std::string name;
    std::string unitCode;
    int stockScale;  // a typical highest stock, in the main unit
    std::vector<std::string> products;
    std::vector<std::string> specs;
};

struct DemoMiddleClass {
    std::string name;
    std::vector<DemoLeafClass> leaves;
};

struct DemoTopClass {
    std::string name;
    std::vector<DemoMiddleClass> children;
};

struct DemoUnitGroup {
    std::string code;
    std::string name;
    int type;
};

struct DemoUnit {
    std::string code;
    std::string name;
    std::string groupCode;
};

struct DemoPerson {
    std::string code;
    std::string name;
    std::optional<std::string> depCode;
};

struct DemoWarehouse {
    std::string code;
    std::string name;
    std::optional<std::string> address;
    const DemoPerson* keeper;
};

// The fixed names of the demo account: a three-level class tree, unit groups, storekeepers and
// warehouses, in Chinese and Latin script. A few codes carry an apostrophe or an ampersand on
// purpose, because concatenated SQL and XML break exactly there.
class DemoCatalogue {
public:
    static constexpr const char* kApostropheWarehouse = "O'K1";
    static constexpr const char* kAmpersandWarehouse = "R&D-01";
    static constexpr const char* kApostrophePerson = "P'01";
    static constexpr const char* kApostropheItem = "BOLT'M8";
    // The apostrophe item is filed under the first leaf class.
    static constexpr const char* kApostropheItemName = "不锈钢螺栓 M8×30";
    static constexpr const char* kApostropheItemSpec = "M8×30";

    static const std::vector<DemoTopClass>& Classes();
    static const std::vector<DemoUnitGroup>& UnitGroups();
    static const std::vector<DemoUnit>& Units();
    static const DemoUnit* FindUnit(const std::string& code);
    static const std::vector<DemoPerson>& Persons();
    // count warehouses: named ones first, numbered branches beyond the names, and the two with
    // the apostrophe and the ampersand last (when count leaves room beside one ordinary store).
    static std::vector<DemoWarehouse> Warehouses(int count);
};

}  // namespace zel::demo
