#pragma once

#include <memory>
#include <string>

#include "interfaces/login.h"
#include "interfaces/object.h"
#include "interfaces/recordset.h"

namespace zel {

// ProgID YsReferC.YsReferClient: the reference picker, created anew for each look-up. It reads
// the login's account through the host's database service and shows itself through the host's
// dialog presenter, so that a test host can answer it.
class IReferClient : public IObject {
public:
    // classQuery: the class list shown beside the items ("select * from InventoryClass Order by
    // cInvCCode ASC"), or "" for none. itemQuery: the rows offered. referenceType: "inventory",
    // "warehouse" or "person", in any case. False when the picker cannot be shown (no database,
    // a query that fails); nothing is shown then.
    virtual bool StrRefInit(const std::shared_ptr<ILogin>& login, bool multiSelect,
                            const std::string& classQuery, const std::string& itemQuery,
                            const std::string& reserved, const std::string& referenceType) = 0;
    // Modal.
    virtual void Show() = 0;
    // The chosen rows with every column of the item query; nullptr when nothing was chosen.
    virtual std::shared_ptr<IRecordset> recmx() = 0;
};

}  // namespace zel
