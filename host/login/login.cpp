#include "host/login/login.h"

#include <QDate>

namespace zel {

Login::Login(Values values) : values_(std::move(values)) {
    if (values_.curDate.empty()) {
        values_.curDate = QDate::currentDate().toString(Qt::ISODate).toStdString();
    }
    if (values_.userName.empty()) {
        values_.userName = values_.userId;
    }
}

}  // namespace zel
