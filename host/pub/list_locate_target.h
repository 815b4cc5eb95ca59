#pragma once

#include "host/pub/locate_target.h"

namespace zel {

class YsListView;

// The locate dialog over a list: its column headers give the captions.
class ListLocateTarget final : public LocateTarget {
public:
    explicit ListLocateTarget(YsListView& list) : list_(list) {}

    std::vector<std::string> Captions() const override;
    int CurrentColumn() const override { return 0; }
    bool MoveToNext(int column, const std::string& text) override;

private:
    YsListView& list_;
};

}  // namespace zel
