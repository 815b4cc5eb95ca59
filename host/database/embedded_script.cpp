#include "host/database/embedded_script.h"

#include <QFile>

namespace zel {

bool ReadEmbeddedScript(const char* name, std::string& text, std::string& error) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        error = std::string("missing embedded ") + name;
        return false;
    }
    text = file.readAll().toStdString();
    return true;
}

}  // namespace zel
