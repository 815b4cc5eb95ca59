#pragma once

#include <optional>
#include <string>
#include <vector>

#include "db/demo/class_coding_rule.h"
#include "db/demo/demo_catalogue.h"

namespace zel::demo {

// The catalogue's three-level class tree with codes made by the account's coding rule.
class DemoClassTree {
public:
    struct Node {
        std::string code;
        std::string name;
        int grade;
        bool isEnd;
    };
    struct Leaf {
        std::string code;
        const DemoLeafClass* definition;
    };

    // nullopt when the rule has fewer than three levels or too few characters for a level.
    static std::optional<DemoClassTree> Build(const ClassCodingRule& rule);

    // Parents before their children, in code order.
    const std::vector<Node>& Nodes() const { return nodes_; }
    const std::vector<Leaf>& Leaves() const { return leaves_; }

private:
    DemoClassTree() = default;
    bool Add(const ClassCodingRule& rule, const std::string& parent, int level, int serial,
             const std::string& name, std::string& code);

    std::vector<Node> nodes_;
    std::vector<Leaf> leaves_;
};

}  // namespace zel::demo
