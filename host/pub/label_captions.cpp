#include "host/pub/label_captions.h"

#include <QLabel>
#include <QString>
#include <map>

#include "host/database/sql_text.h"
#include "interfaces/cls_common.h"

namespace zel {
namespace {

constexpr const char* kLabelPrefixes[] = {"Lab", "Lbl"};
constexpr qsizetype kPrefixLength = 3;

QString Folded(const QString& name) {
    return name.toCaseFolded();
}

// Field name, case folded → caption; fields whose caption is empty are left out.
std::map<QString, QString> DictionaryCaptions(IClsCommon& db, const std::string& kind) {
    std::string sql = "select cfldname, ccaption from aa_columndic where ckey=" + SqlQuoted(kind);
    std::map<QString, QString> captions;
    const auto rows = db.OpenX(sql);
    if (!rows || !rows->IsOpen()) {
        return captions;
    }
    for (; !rows->Eof(); rows->MoveNext()) {
        const auto field = rows->Fields(0);
        const auto caption = rows->Fields(1);
        if (field && caption && !caption->ToString().empty()) {
            captions[Folded(QString::fromStdString(field->ToString()))] =
                QString::fromStdString(caption->ToString());
        }
    }
    return captions;
}

// The field a label is named for, case folded; empty for a label of no field.
QString FieldOfLabel(const QString& labelName) {
    const QString prefix = labelName.left(kPrefixLength);
    for (const char* known : kLabelPrefixes) {
        if (prefix.compare(QString::fromUtf8(known), Qt::CaseInsensitive) == 0) {
            return Folded(labelName.mid(kPrefixLength));
        }
    }
    return {};
}

}  // namespace

void SetFieldLabelCaptions(IClsCommon& db, QWidget& window, const std::string& kind) {
    const auto captions = DictionaryCaptions(db, kind);
    if (captions.empty()) {
        return;
    }
    for (QLabel* label : window.findChildren<QLabel*>()) {
        const auto found = captions.find(FieldOfLabel(label->objectName()));
        if (found != captions.end()) {
            // Captions are data: never read as markup.
            label->setTextFormat(Qt::PlainText);
            label->setText(found->second);
        }
    }
}

}  // namespace zel
