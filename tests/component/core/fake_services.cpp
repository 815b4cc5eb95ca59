#include "fake_services.h"

#include <QIcon>

#include <algorithm>
#include <cctype>

namespace korvel::test {
namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// One "name='value'" term of a filter.
bool ReadTerm(std::string_view term, std::string& name, std::string& value) {
    term = Trim(term);
    const auto equals = term.find("='");
    if (equals == std::string_view::npos || term.size() < equals + 3 || term.back() != '\'') {
        return false;
    }
    name = term.substr(0, equals);
    value = term.substr(equals + 2, term.size() - equals - 3);
    return true;
}

}  // namespace

std::vector<std::size_t> FakeRecordset::AllRows() const {
    std::vector<std::size_t> all(rows_.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = i;
    }
    return all;
}

std::optional<zel::Variant> FakeRecordset::Fields(std::string_view name) const {
    if (Eof()) {
        return std::nullopt;
    }
    const Row& row = rows_[visible_[position_]];
    const auto found = row.find(std::string(name));
    if (found == row.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool FakeRecordset::SetFilter(std::string_view condition) {
    filters.emplace_back(condition);
    if (refuseFilter) {
        return false;
    }
    std::vector<std::pair<std::string, std::string>> terms;
    for (std::size_t start = 0; start <= condition.size();) {
        const auto next = condition.find(" and ", start);
        const auto end = next == std::string_view::npos ? condition.size() : next;
        std::string name, value;
        if (!ReadTerm(condition.substr(start, end - start), name, value)) {
            return false;
        }
        terms.emplace_back(name, value);
        start = end + 5;
    }
    visible_.clear();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const bool matches = std::all_of(terms.begin(), terms.end(), [&](const auto& term) {
            const auto found = rows_[i].find(term.first);
            return found != rows_[i].end() && found->second.ToString() == term.second;
        });
        if (matches) {
            visible_.push_back(i);
        }
    }
    position_ = 0;
    return true;
}

QIcon FakePub::GetRes(int) {
    return {};
}

std::string FakePub::GetResString(const std::string& key) {
    calls.push_back(key);
    const auto found = texts.find(key);
    return found == texts.end() ? key : found->second;
}

bool FakePub::IsLockFun(zel::IClsCommon&, zel::ILogin&, const std::string& function, short mode) {
    journal_->push_back("lock " + function + " " + std::to_string(mode));
    if (failLock && mode > 0) {
        throw HostFailure();
    }
    return mode > 0 && refuseLock;
}

std::string FakePub::GetAuth(const std::string& objectName, const std::string& userId,
                             const std::string& ysDBName, const std::string& right) {
    calls.push_back("GetAuth " + objectName + " " + userId + " " + ysDBName + " " + right);
    if (failPersonAuth) {
        throw HostFailure();
    }
    return personAuth.at(right);
}

std::string FakePub::GetFldCaption(const std::shared_ptr<zel::IRecordset>& dictionary,
                                   const std::string& field) {
    calls.push_back("caption " + field);
    if (!dictionary) {
        throw HostFailure();
    }
    const auto found = captions.find(field);
    return found == captions.end() ? field : found->second;
}

void FakePub::UtoLCase(std::string& text) {
    if (lowerCases) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }
}

bool FakeDb::Status() {
    if (failStatus) {
        throw HostFailure();
    }
    return connected;
}

std::shared_ptr<zel::IRecordset> FakeDb::OpenX(const std::string& sql) {
    statements.push_back(sql);
    const auto found = results.find(sql);
    return found == results.end() ? nullptr : found->second;
}

std::string FakeRowAuth::GetAuthString(const std::string& objectName, const std::string&,
                                       const std::string& right) {
    journal_->push_back("GetAuthString " + objectName + right);
    const auto found = answers.find(objectName + right);
    if (found == answers.end()) {
        throw HostFailure();
    }
    return found->second;
}

FakeFactory::FakeFactory(zel::test::ScriptedDialogs& dialogs) : dialogs_(dialogs) {}

std::shared_ptr<zel::IObject> FakeFactory::CreateObject(std::string_view progId) {
    requested.emplace_back(progId);
    if (progId == "ZelPub.IPub" && hasPub) {
        auto pub = std::make_shared<FakePub>(journal, dialogs_);
        pub->texts = HostTexts();
        pub->captions = DictionaryCaptions();
        setUpPub(*pub);
        lastPub = pub;
        return pub;
    }
    if (progId == "ZelSrvTrans.IClsCommon" && hasDb) {
        auto db = std::make_shared<FakeDb>(journal);
        setUpDb(*db);
        lastDb = db;
        return db;
    }
    if (progId == "ZelRowAuthsvr.clsRowAuth" && hasRowAuth) {
        auto rowAuth = std::make_shared<FakeRowAuth>(journal);
        setUpRowAuth(*rowAuth);
        lastRowAuth = rowAuth;
        return rowAuth;
    }
    return nullptr;
}

std::map<std::string, std::string> HostTexts() {
    return {
        {"Zel.AA.ARCHIVE.COMMON.information", "提示信息"},
        {"Zel.AA.ARCHIVE.COMMON.nologin", "没有传入Login对象！"},
        {"Zel.AA.ARCHIVE.COMMON.loadsrvdbfail", "没有找到连接数据库的动态库！"},
        {"Zel.AA.ARCHIVE.COMMON.dbconnectfail", "数据库连接失败！\n请检查数据库连接！"},
        {"Zel.AA.ARCHIVE.COMMON.loadrowauthsvrfail", "创建权限对象失败！"},
        {"Zel.AA.ARCHIVE.whinvcontrapose", "仓库存货对照"},
        {"Zel.AA.ARCHIVE.whinvcontraposetable", "仓库存货对照表"},
        {"Zel.AA.ARCHIVE.FIELD.cwhcode", "仓库编码"},
        {"Zel.AA.ARCHIVE.FIELD.cinvcode", "存货编码"},
        {"Zel.AA.ARCHIVE.FIELD.cinvname", "存货名称"},
        {"Zel.AA.ARCHIVE.FIELD.cinvstd", "规格型号"},
        {"Zel.AA.ARCHIVE.FIELD.cgroupcode", "计量单位组编码"},
        {"Zel.AA.ARCHIVE.FIELD.cgroupname", "计量单位组名称"},
        {"Zel.AA.ARCHIVE.FIELD.main_ccomunitcode", "主计量单位编码"},
        {"Zel.AA.ARCHIVE.FIELD.main_ccomunitname", "主计量单位名称"},
        {"Zel.AA.WHINVCONTRAPOSE.cpersoncode", "库管员编码"},
        {"Zel.AA.WHINVCONTRAPOSE.cpersonname", "库管员名称"},
        {"Zel.AA.ARCHIVE.COMMON.week1", "星期日"},
        {"Zel.AA.ARCHIVE.COMMON.week2", "星期一"},
        {"Zel.AA.ARCHIVE.COMMON.week3", "星期二"},
        {"Zel.AA.ARCHIVE.COMMON.week4", "星期三"},
        {"Zel.AA.ARCHIVE.COMMON.week5", "星期四"},
        {"Zel.AA.ARCHIVE.COMMON.week6", "星期五"},
        {"Zel.AA.ARCHIVE.COMMON.week7", "星期六"},
        {"Zel.AA.ARCHIVE.COMMON.cdrequency_day", "天"},
        {"Zel.AA.ARCHIVE.COMMON.cdrequency_week", "周"},
        {"Zel.AA.ARCHIVE.COMMON.cdrequency_month", "月"},
    };
}

std::map<std::string, std::string> DictionaryCaptions() {
    return {
        {"cInvCode", "存货编码"},       {"iTopSum", "最高库存"},    {"iLowSum", "最低库存"},
        {"iSafeNum", "安全库存"},       {"iWastage", "合理损耗率"}, {"iFrequency", "盘点周期"},
        {"cFrequency", "盘点周期单位"}, {"iDays", "盘点日"},        {"dLastDate", "上次盘点日期"}};
}

}  // namespace korvel::test
