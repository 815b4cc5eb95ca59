#pragma once

#include <memory>
#include <string>

#include "host/objects/host_environment.h"
#include "host/refer/column_captions.h"
#include "host/refer/reference_kind.h"
#include "interfaces/refer_client.h"

namespace zel {

class RecordsetCursor;

// YsReferC.YsReferClient: reads its queries through a database service of its own, made by the
// factory on the login's account, and shows its window through the host's dialog presenter.
class ReferClient final : public IReferClient {
public:
    ReferClient(std::shared_ptr<HostEnvironment> environment, IObjectFactory& factory);

    bool StrRefInit(const std::shared_ptr<ILogin>& login, bool multiSelect,
                    const std::string& classQuery, const std::string& itemQuery,
                    const std::string& reserved, const std::string& referenceType) override;
    void Show() override;
    std::shared_ptr<IRecordset> recmx() override { return chosen_; }

private:
    bool OpenQueries(const ILogin& login, const std::string& classQuery,
                     const std::string& itemQuery);

    std::shared_ptr<HostEnvironment> environment_;
    IObjectFactory& factory_;
    ReferenceKind kind_;
    bool multiSelect_ = false;
    std::shared_ptr<RecordsetCursor> items_;  // nullptr until StrRefInit succeeds
    std::shared_ptr<IRecordset> classes_;     // nullptr without a class query
    std::shared_ptr<IRecordset> chosen_;
    ColumnCaptions captions_;
};

}  // namespace zel
