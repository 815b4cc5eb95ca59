#pragma once

#include <QPointer>
#include <QWidget>
#include <initializer_list>
#include <vector>

namespace korvel {

// A window busy for one scope: its busy flag set and the parts the user must not touch meanwhile
// disabled, both undone on every path out, so that an error thrown by the work cannot leave the
// window busy, and so unable to close, for good.
class BusyScope {
public:
    BusyScope(bool& busy, std::initializer_list<QWidget*> parts);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
    std::vector<QPointer<QWidget>> parts_;
};

}  // namespace korvel
