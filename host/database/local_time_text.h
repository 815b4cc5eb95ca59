#pragma once

#include <chrono>
#include <string>

namespace zel {

// The computer's local time of the moment, written yyyy-mm-dd hh:mm:ss. The C library reads the
// time zone once; a date-time object of the toolkit asks for it again on every call, which cost
// a record save as much as one of its checks.
std::string LocalTimeText(std::chrono::system_clock::time_point moment);

}  // namespace zel
