#pragma once

namespace zel {

// How the host program ends, for the scripts that start it.
enum ExitStatus : int {
    kExitDone = 0,
    // The component could not be created.
    kExitNoComponent = 1,
    kExitBadArguments = 2,
    // Another program holds the component's function lock, or the lock could not be checked.
    kExitFunctionLocked = 3,
    // Asked to quit after the main window showed, and it never showed.
    kExitNotShown = 4,
    // A first start could not build the demo database it opens.
    kExitNoDemoDatabase = 5,
    // The user cannot be established: the account cannot be opened, --user is not the server
    // login, or the user has no row in the account's user table.
    kExitNoUser = 6,
};

}  // namespace zel
