#pragma once

#include <libpq-fe.h>

#include <memory>

namespace zel {

struct PqResultClear {
    void operator()(PGresult* result) const { PQclear(result); }
};

// A libpq result that is cleared when it goes.
using PqResult = std::unique_ptr<PGresult, PqResultClear>;

}  // namespace zel
