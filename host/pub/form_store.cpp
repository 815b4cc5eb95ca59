#include "host/pub/form_store.h"

#include "host/database/sql_text.h"

namespace zel {

FormStore::FormStore(std::shared_ptr<IClsCommon> db, std::string userId)
    : db_(std::move(db)), userId_(std::move(userId)) {}

std::string FormStore::FormCondition(const std::string& formKey) const {
    return "cUserId=" + SqlQuoted(userId_) + " and cFormKey=" + SqlQuoted(formKey);
}

std::optional<std::string> FormStore::Layout(const std::string& formKey) {
    std::string sql = "select cLayout from aa_formlayout where " + FormCondition(formKey);
    const auto rows = db_->OpenX(sql);
    if (!rows || rows->Eof()) {
        return std::nullopt;
    }
    const auto layout = rows->Fields(0);
    if (!layout || layout->IsNull()) {
        return std::nullopt;
    }
    return layout->ToString();
}

bool FormStore::SaveLayout(const std::string& formKey, const std::string& layout) {
    return Upsert("update aa_formlayout set cLayout=" + SqlQuoted(layout) + " where " +
                      FormCondition(formKey),
                  "insert into aa_formlayout (cUserId, cFormKey, cLayout) values (" +
                      SqlQuoted(userId_) + ", " + SqlQuoted(formKey) + ", " + SqlQuoted(layout) +
                      ")");
}

std::map<std::string, std::string> FormStore::Options(const std::string& formKey) {
    std::string sql = "select cOption, cValue from aa_formoption where " + FormCondition(formKey);
    std::map<std::string, std::string> options;
    const auto rows = db_->OpenX(sql);
    if (!rows) {
        return options;
    }
    for (; !rows->Eof(); rows->MoveNext()) {
        const auto option = rows->Fields(0);
        const auto value = rows->Fields(1);
        if (option && value && !value->IsNull()) {
            options[option->ToString()] = value->ToString();
        }
    }
    return options;
}

bool FormStore::SaveOption(const std::string& formKey, const std::string& option,
                           const std::string& value) {
    return Upsert("update aa_formoption set cValue=" + SqlQuoted(value) + " where " +
                      FormCondition(formKey) + " and cOption=" + SqlQuoted(option),
                  "insert into aa_formoption (cUserId, cFormKey, cOption, cValue) values (" +
                      SqlQuoted(userId_) + ", " + SqlQuoted(formKey) + ", " + SqlQuoted(option) +
                      ", " + SqlQuoted(value) + ")");
}

bool FormStore::Upsert(const std::string& update, const std::string& insert) {
    // ExecuteX is false for an update that changed no row: then there is no row yet.
    std::string sql = update;
    if (db_->ExecuteX(sql)) {
        return true;
    }
    sql = insert;
    return db_->ExecuteX(sql);
}

}  // namespace zel
