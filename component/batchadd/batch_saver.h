#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/component_context.h"

namespace korvel {

// The work of the batch-add save: one correspondence row per item for the target warehouse, each
// saved on its own through the database service with the item's own stock settings. Asks about
// each duplicate, ends at any other refusal or failure, and says in the window's label what was
// stored; a run that ended so also tells why, and how many items were and were not saved.
class BatchSaver {
public:
    // How the window follows the run; every member may be empty.
    struct Window {
        std::function<void(const std::string& text)> showLabel;
        // Called before each item: lets pending window events run.
        std::function<void()> letEventsRun;
        // Called after each item with the items done and the total.
        std::function<void(int done, int total)> advanced;
        // True when the user asked to stop; the run ends after the current item.
        std::function<bool()> cancelled;
    };
    enum class End { kAllDone, kStoppedAtDuplicate, kCancelled, kRefused, kFailed, kNoWarehouse };
    struct Outcome {
        int saved = 0;
        End end = End::kAllDone;
    };

    BatchSaver(ComponentContext& context, Window window);

    // invCodes are the checked items in list order.
    Outcome SaveBatch(const std::string& whCode, const std::vector<std::string>& invCodes);

private:
    enum class Step { kSaved, kSkipped, kStop, kRefused, kFailed };

    Step SaveItem(const std::string& whCode, const std::string& invCode);
    // Whether to go on after a duplicate: asked, unless the user chose one answer for the rest of
    // the run.
    bool GoOnAfterDuplicate(const std::string& invCode, const std::string& message);
    void ShowLabel(const std::string& text) const;
    void ShowTotal(int saved) const;
    void ShowStopped(int saved, int total) const;

    ComponentContext& context_;
    Window window_;
    std::optional<bool> answerForTheRest_;
    // Why the run ended early, in the user's words.
    std::string stopReason_;
};

}  // namespace korvel
