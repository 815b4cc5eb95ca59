#include "db/demo/demo_class_tree.h"

namespace zel::demo {
namespace {

constexpr int kLevels = 3;

}  // namespace

std::optional<DemoClassTree> DemoClassTree::Build(const ClassCodingRule& rule) {
    if (rule.Levels() < kLevels) {
        return std::nullopt;
    }
    DemoClassTree tree;
    int topSerial = 0;
    for (const auto& top : DemoCatalogue::Classes()) {
        std::string topCode;
        if (!tree.Add(rule, "", 1, ++topSerial, top.name, topCode)) {
            return std::nullopt;
        }
        int middleSerial = 0;
        for (const auto& middle : top.children) {
            std::string middleCode;
            if (!tree.Add(rule, topCode, 2, ++middleSerial, middle.name, middleCode)) {
                return std::nullopt;
            }
            int leafSerial = 0;
            for (const auto& leaf : middle.leaves) {
                std::string leafCode;
                if (!tree.Add(rule, middleCode, 3, ++leafSerial, leaf.name, leafCode)) {
                    return std::nullopt;
                }
                tree.leaves_.push_back({leafCode, &leaf});
            }
        }
    }
    return tree;
}

bool DemoClassTree::Add(const ClassCodingRule& rule, const std::string& parent, int level,
                        int serial, const std::string& name, std::string& code) {
    const auto made = rule.ChildCode(parent, level, serial);
    if (!made) {
        return false;
    }
    code = *made;
    nodes_.push_back({code, name, level, level == kLevels});
    return true;
}

}  // namespace zel::demo
