#include "host/pub/find_store.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdlib>

#include "interfaces/cls_common.h"
#include "interfaces/login.h"

namespace zel {
namespace {

constexpr const char* kDatabaseProgId = "ZelSrvTrans.IClsCommon";
constexpr const char* kFieldsOption = "findFields";
constexpr const char* kRowsOption = "findRows";
// Bytes an option value holds on every server the host writes to.
constexpr std::size_t kPieceBytes = 255;

std::string FormKey(const std::string& caption) {
    return "Find:" + caption;
}

std::string CountOption(const std::string& option) {
    return option + ".n";
}

std::string PieceOption(const std::string& option, std::size_t index) {
    return option + "." + std::to_string(index);
}

// Pieces of at most kPieceBytes that never split a UTF-8 character.
std::vector<std::string> Pieces(const std::string& value) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start < value.size()) {
        std::size_t end = std::min(start + kPieceBytes, value.size());
        while (end < value.size() && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80) {
            --end;
        }
        if (end == start) {
            end = std::min(start + kPieceBytes, value.size());
        }
        pieces.push_back(value.substr(start, end - start));
        start = end;
    }
    return pieces;
}

std::string Compact(const QJsonArray& array) {
    return QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString();
}

std::optional<QJsonArray> ArrayOf(const std::string& text) {
    const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(text));
    return document.isArray() ? std::optional(document.array()) : std::nullopt;
}

QJsonObject RowObject(const FindRow& row) {
    return {{"or", row.orJoin},
            {"field", QString::fromStdString(row.field)},
            {"op", QString::fromStdString(FindOperatorName(row.op))},
            {"value", QString::fromStdString(row.value)},
            {"value2", QString::fromStdString(row.value2)}};
}

std::optional<FindRow> RowOf(const QJsonObject& object) {
    const auto op = FindOperatorNamed(object.value("op").toString().toStdString());
    if (!op) {
        return std::nullopt;
    }
    return FindRow{object.value("or").toBool(), object.value("field").toString().toStdString(), *op,
                   object.value("value").toString().toStdString(),
                   object.value("value2").toString().toStdString()};
}

}  // namespace

FindStore::FindStore(std::shared_ptr<IClsCommon> db, std::string userId)
    : store_(std::move(db), std::move(userId)) {}

std::unique_ptr<FindStore> FindStore::Open(IObjectFactory& factory, const ILogin& login) {
    const std::string userId = login.cUserId();
    if (userId.empty()) {
        return nullptr;
    }
    auto db = CreateObjectAs<IClsCommon>(factory, kDatabaseProgId);
    if (!db) {
        return nullptr;
    }
    db->Init(login.ysDBName());
    if (!db->Status()) {
        return nullptr;
    }
    return std::make_unique<FindStore>(std::move(db), userId);
}

std::optional<std::string> FindStore::Value(const std::string& caption, const std::string& option) {
    const auto options = store_.Options(FormKey(caption));
    const auto count = options.find(CountOption(option));
    if (count == options.end()) {
        return std::nullopt;
    }
    std::string value;
    const std::size_t pieces = std::strtoul(count->second.c_str(), nullptr, 10);
    for (std::size_t i = 0; i < pieces; ++i) {
        const auto piece = options.find(PieceOption(option, i));
        if (piece == options.end()) {
            return std::nullopt;
        }
        value += piece->second;
    }
    return value;
}

// The count goes last: a save that fails on the way leaves the value before it readable.
bool FindStore::SaveValue(const std::string& caption, const std::string& option,
                          const std::string& value) {
    const std::string formKey = FormKey(caption);
    const auto pieces = Pieces(value);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!store_.SaveOption(formKey, PieceOption(option, i), pieces[i])) {
            return false;
        }
    }
    return store_.SaveOption(formKey, CountOption(option), std::to_string(pieces.size()));
}

std::optional<std::vector<std::string>> FindStore::OfferedFields(const std::string& caption) {
    const auto text = Value(caption, kFieldsOption);
    const auto array = text ? ArrayOf(*text) : std::nullopt;
    if (!array) {
        return std::nullopt;
    }
    std::vector<std::string> fields;
    for (const auto& name : *array) {
        fields.push_back(name.toString().toStdString());
    }
    return fields;
}

bool FindStore::SaveOfferedFields(const std::string& caption,
                                  const std::vector<std::string>& fields) {
    QJsonArray array;
    for (const auto& name : fields) {
        array.append(QString::fromStdString(name));
    }
    return SaveValue(caption, kFieldsOption, Compact(array));
}

std::vector<FindRow> FindStore::LastRows(const std::string& caption) {
    const auto text = Value(caption, kRowsOption);
    const auto array = text ? ArrayOf(*text) : std::nullopt;
    std::vector<FindRow> rows;
    if (!array) {
        return rows;
    }
    for (const auto& item : *array) {
        if (auto row = RowOf(item.toObject())) {
            rows.push_back(std::move(*row));
        }
    }
    return rows;
}

bool FindStore::SaveLastRows(const std::string& caption, const std::vector<FindRow>& rows) {
    QJsonArray array;
    for (const auto& row : rows) {
        array.append(RowObject(row));
    }
    return SaveValue(caption, kRowsOption, Compact(array));
}

}  // namespace zel
