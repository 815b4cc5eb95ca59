#include "db/demo/account_schema.h"

#include <QFile>

#include "db/demo/sqlite_connection.h"

namespace zel::demo {

bool AccountSchema::Install(SqliteConnection& connection, std::string& error) {
    return RunEmbedded(connection, ":/host/schema/sqlite.sql", error) &&
           RunEmbedded(connection, ":/host/schema/seed.sql", error);
}

bool AccountSchema::RunEmbedded(SqliteConnection& connection, const char* resource,
                                std::string& error) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        error = std::string(resource) + ": " + file.errorString().toStdString();
        return false;
    }
    if (!connection.Execute(file.readAll().toStdString())) {
        error = connection.Error();
        return false;
    }
    return true;
}

}  // namespace zel::demo
