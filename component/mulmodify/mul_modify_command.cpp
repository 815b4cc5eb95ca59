#include "mulmodify/mul_modify_command.h"

namespace korvel {

decltype(MainWindowCommands::mulModify) MulModifyCommand() {
    return {};
}

}  // namespace korvel
