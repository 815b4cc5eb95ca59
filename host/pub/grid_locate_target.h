#pragma once

#include "host/pub/locate_target.h"

namespace zel {

class FlexGrid;

// The locate dialog over a grid: its header row gives the captions.
class GridLocateTarget final : public LocateTarget {
public:
    explicit GridLocateTarget(FlexGrid& grid) : grid_(grid) {}

    std::vector<std::string> Captions() const override;
    int CurrentColumn() const override;
    bool MoveToNext(int column, const std::string& text) override;

private:
    FlexGrid& grid_;
};

}  // namespace zel
