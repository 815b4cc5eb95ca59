#include "host/database/database_texts.h"

#include "host/objects/resource_texts.h"

namespace zel {
namespace {

// Same layout as the host's texts.tsv.
constexpr const char* kOwnWording =
    "Zel.HOST.DB.unknown_user\t操作员%1不存在，没有写权限！\n"
    "Zel.HOST.DB.no_write_warehouse\t没有仓库的写权限：%1\n"
    "Zel.HOST.DB.no_write_inventory\t没有存货的写权限：%1\n"
    "Zel.HOST.DB.no_write_person\t没有人员的写权限：%1\n"
    "Zel.HOST.DB.inventory_ended\t存货%1已过停用日期，不能添加仓库存货对照！\n"
    "Zel.HOST.DB.whole_too_long\t%1超出范围：最多%2位整数！\n"
    "Zel.HOST.DB.modify_gone\t仓库存货对照不存在，可能已被他人删除！\n";

const ResourceTexts& SourceOf(const std::string& key) {
    static const ResourceTexts own(kOwnWording);
    const ResourceTexts& host = ResourceTexts::Instance();
    return host.Contains(key) ? host : own;
}

}  // namespace

std::string DatabaseTexts::Text(const std::string& key) {
    return SourceOf(key).Text(key);
}

std::string DatabaseTexts::Format(const std::string& key, const std::vector<std::string>& values) {
    return SourceOf(key).Format(key, values);
}

}  // namespace zel
