#pragma once

#include <QString>
#include <QValidator>

namespace zel {

// Leaves out of a line edit's text the characters that the box refuses at entry, where they
// would break the SQL and XML texts built from its value: < > ' " | & ,
// Only what is being entered is filtered; the text the box already held stays as it is, so that
// a value the program put there (a name with an ampersand) survives the user's typing beside it.
class EntryFilter final : public QValidator {
public:
    explicit EntryFilter(QObject* parent) : QValidator(parent) {}

    static bool IsRefused(QChar character);

    // The text the box holds now; whatever the box is given beyond it is being entered.
    void Hold(const QString& text) { held_ = text; }
    State validate(QString& input, int& pos) const override;

private:
    QString held_;
};

}  // namespace zel
