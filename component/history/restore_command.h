#pragma once

#include <functional>
#include <vector>

#include "history/change_restore.h"

namespace korvel {

struct ComponentContext;

// What the history window's "恢复" and "撤销此步" run: under the edit lock, after checking the
// write rights, and asking first when rows were changed again since (Yes puts back the others,
// No nothing). The user is told the outcome; refresh is called once rows have changed (the
// window reads its list again). True when rows changed.
class RestoreCommand {
public:
    using Refresh = std::function<void()>;

    // The chosen value rows.
    static bool RestoreValues(ComponentContext& context, const std::vector<ChangeValueKey>& values,
                              const Refresh& refresh);
    // Every value row of one entry: a multi-record modify's set update, a delete of rows.
    static bool UndoEntry(ComponentContext& context, long long change, const Refresh& refresh);
    // Every value row of several entries in one step, newest first: a batch add saves each item
    // on its own, one entry each.
    static bool UndoEntries(ComponentContext& context, const std::vector<long long>& changes,
                            const Refresh& refresh);
};

}  // namespace korvel
