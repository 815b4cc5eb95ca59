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
    // The component ended without opening its main window, after telling the user why (its
    // database service could not reach the account, a host service is missing); with
    // --quit-after-show, also a main window that never showed.
    kExitNotShown = 4,
    // A first start could not build the demo database it opens.
    kExitNoDemoDatabase = 5,
    // The user cannot be established: --user is not the server login, the user has no row in
    // the account's user table, or the user table cannot be read.
    kExitNoUser = 6,
    // The account cannot be opened: no such database, a server that cannot be reached or refuses
    // the login, a file that is not an account, is newer than the program, is held by another
    // program, cannot be written or upgraded.
    kExitNoDatabase = 7,
};

}  // namespace zel
