// whinv-admin: an account's users, their row grants and, on a server, their roles.
#include <QCoreApplication>
#include <iostream>

#include "app/admin/admin_command_line.h"
#include "app/admin/run_admin.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const zel::AdminArguments arguments = zel::ParseAdminArguments(application.arguments());
    if (!arguments.request) {
        if (arguments.status == zel::kAdminDone) {
            std::cout << arguments.text;
        } else {
            std::cerr << "whinv-admin: " << arguments.text;
        }
        return arguments.status;
    }
    return zel::RunAdmin(*arguments.request, zel::AccountDirectory(), std::cout, std::cerr);
}
