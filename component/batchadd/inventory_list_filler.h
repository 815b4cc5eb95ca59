#pragma once

#include <functional>
#include <string>

namespace zel {
class IPub;
class IRecordset;
class YsListView;
}  // namespace zel

namespace korvel {

// Reads the inventory list query into the batch-add list: one item per row, keyed "k" + code,
// pre-checked where asked and the item's default warehouse is the target. Rows reach the list
// a hundred at a time, so the first are visible at once and the list lays out once per hundred.
class InventoryListFiller {
public:
    struct Window {
        std::function<void(const std::string& text)> showLabel;
        // Called every hundred rows: lets pending window events run.
        std::function<void()> letEventsRun;
        std::function<void(int loaded)> advanced;
        // True when the user asked to stop; the fill ends at the next hundred.
        std::function<bool()> cancelled;
    };

    InventoryListFiller(zel::IPub& pub, Window window);

    // The rows loaded.
    int FillInventoryList(zel::IRecordset& result, zel::YsListView& list, bool preCheck,
                          const std::string& whCode);

private:
    static void AddColumnHeaders(const zel::IRecordset& result, zel::YsListView& list);
    void ShowLabel(const std::string& text) const;

    zel::IPub& pub_;
    Window window_;
};

}  // namespace korvel
