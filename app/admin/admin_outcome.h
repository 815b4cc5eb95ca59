#pragma once

#include <string>
#include <vector>

#include "app/admin/admin_request.h"

namespace zel {

// What a command did, for standard output, or why it failed, for standard error.
struct AdminOutcome {
    AdminStatus status = kAdminDone;
    std::string text;
};

// A line of whinv-admin's texts with its values in place.
std::string AdminLine(const std::string& key, const std::vector<std::string>& values = {});

inline AdminOutcome AdminDone(std::string text) {
    return {kAdminDone, std::move(text)};
}

inline AdminOutcome AdminFailed(const std::string& key, const std::vector<std::string>& values) {
    return {kAdminFailed, AdminLine(key, values)};
}

}  // namespace zel
