#include "db/demo/demo_catalogue.h"

#include <algorithm>

namespace zel::demo {
namespace {

struct NamedStore {
    const char* name;
    const char* address;  // nullptr: no address kept
};

constexpr NamedStore kNamedStores[] = {
    {"原材料仓", "北京市大兴区经济技术开发区科创十二街8号"},
    {"成品仓(北京)", "北京市顺义区空港工业区B区15号"},
    {"成品仓(上海)", "上海市嘉定区安亭镇墨玉南路888号"},
    {"Spare Parts Store", "Building C, 1200 Industrial Parkway, Columbus, OH 43219"},
    {"半成品仓", nullptr},
    {"五金仓库", "天津市西青区中北镇星光路32号"},
    {"电气材料库", nullptr},
    {"包装材料仓", "苏州工业园区唯亭镇春辉路9号"},
    {"化工品库", "南京市六合区化工园区长丰河路168号"},
    {"Returns Warehouse", "Unit 4, Meridian Trade Park, Leicester LE19 1WZ"},
    {"成品仓(广州)", "广州市黄埔区开创大道2566号"},
    {"Central Distribution Center", "4100 Logistics Way, Memphis, TN 38118"},
    {"维修备件库", nullptr},
    {"不合格品仓", nullptr},
    {"Tooling Crib", nullptr},
    {"外协加工仓", "宁波市北仑区大港工业城黄山西路77号"},
    {"样品仓", nullptr},
    {"Hamburg Transit Store", "Hafenstraße 12, 20457 Hamburg"},
};

std::string Numbered(int number, std::size_t width) {
    std::string digits = std::to_string(number);
    return std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
}

std::string BranchName(int number) {
    return number % 2 == 0 ? "Branch Store " + std::to_string(number)
                           : "分仓" + std::to_string(number);
}

}  // namespace

const std::vector<DemoTopClass>& DemoCatalogue::Classes() {
    static const std::vector<DemoTopClass> classes = {
        {"标准件",
         {{"紧固件",
           {{"螺栓",
             "0101",
             2000,
             {"不锈钢螺栓", "六角头螺栓", "法兰面螺栓", "Hex bolt"},
             {"M6×20", "M8×30", "M10×40", "M12×50", "M16×60"}},
            {"螺母垫圈",
             "0101",
             3000,
             {"六角螺母", "弹簧垫圈", "平垫圈", "Lock nut"},
             {"M6", "M8", "M10", "M12", "M16"}}}},
          {"轴承密封",
           {{"滚动轴承",
             "0101",
             200,
             {"深沟球轴承", "圆锥滚子轴承", "Ball bearing"},
             {"6204-2RS", "6205-2RS", "6306ZZ", "30205"}},
            {"密封件",
             "0101",
             500,
             {"O型圈", "骨架油封", "Flange gasket"},
             {"20×2.4", "35×52×7", "DN50 PN16"}}}}}},
        {"原材料",
         {{"金属材料",
           {{"钢材",
             "0201",
             5000,
             {"冷轧钢板", "热轧圆钢", "镀锌角钢", "Stainless steel sheet"},
             {"1.0mm", "2.0mm", "Φ20", "Φ32", "50×50×5"}},
            {"有色金属",
             "0201",
             800,
             {"紫铜排", "铝合金型材", "Brass rod"},
             {"30×3", "6061-T6", "Φ10", "Φ16"}}}},
          {"化工原料",
           {{"塑料粒子",
             "0201",
             3000,
             {"聚丙烯粒子 PP", "ABS 粒子", "Polyethylene granulate HDPE"},
             {"T30S", "757", "5000S"}},
            {"油脂",
             "0401",
             400,
             {"液压油", "润滑脂", "Gear oil"},
             {"46#", "68#", "ISO VG 220"}}}}}},
        {"电气元件",
         {{"线缆",
           {{"电线电缆",
             "0301",
             5000,
             {"Copper wire", "BVR 铜芯电线", "屏蔽电缆 RVVP"},
             {"1.5mm²", "2.5mm²", "4mm²", "2×0.75mm²"}},
            {"线缆附件",
             "0102",
             100,
             {"尼龙扎带", "Cable tie", "热缩管"},
             {"3×150mm", "4×200mm", "Φ6"}}}},
          {"控制元件",
           {{"开关按钮",
             "0101",
             300,
             {"按钮开关", "Limit switch", "急停按钮"},
             {"22mm 1NO", "LXJM1-8108", "Φ22"}},
            {"继电器",
             "0101",
             200,
             {"中间继电器", "Time relay", "固态继电器"},
             {"24VDC 2NO2NC", "AC220V", "SSR-40DA"}}}}}},
        {"包装材料",
         {{"纸制品",
           {{"纸箱",
             "0103",
             100,
             {"五层瓦楞纸箱", "Carton box", "彩印礼盒"},
             {"400×300×300", "600×400×400", "A4"}}}},
          {"辅料",
           {{"胶带薄膜",
             "0104",
             500,
             {"封箱胶带", "Stretch film", "警示胶带"},
             {"48mm×100m", "500mm×300m", "50mm×33m"}}}}}},
        {"Spare Parts",
         {{"Mechanical spares",
           {{"Drive parts",
             "0101",
             50,
             {"V-belt", "Timing pulley", "Roller chain"},
             {"A-1200", "HTD 8M-30", "08B-1"}},
            {"Pneumatic parts",
             "0101",
             80,
             {"Air cylinder", "Solenoid valve", "快插接头"},
             {"SC50×100", "4V210-08", "PC8-02"}}}}}},
        {"成品",
         {{"电控设备",
           {{"电控柜",
             "0105",
             20,
             {"配电箱", "Control cabinet", "变频柜"},
             {"XL-21", "800×600×250", "7.5kW"}}}},
          {"总成",
           {{"Assemblies", "0105", 10, {"减速机总成", "Pump assembly"}, {"WPA-80", "CHL4-60"}}}}}},
    };
    return classes;
}

const std::vector<DemoUnitGroup>& DemoCatalogue::UnitGroups() {
    static const std::vector<DemoUnitGroup> groups = {
        {"01", "件数组", 1}, {"02", "重量组", 1}, {"03", "长度组", 1}, {"04", "容积组", 1}};
    return groups;
}

const std::vector<DemoUnit>& DemoCatalogue::Units() {
    static const std::vector<DemoUnit> units = {
        {"0101", "个", "01"}, {"0102", "盒", "01"},   {"0103", "箱", "01"}, {"0104", "卷", "01"},
        {"0105", "台", "01"}, {"0201", "千克", "02"}, {"0202", "克", "02"}, {"0203", "吨", "02"},
        {"0301", "米", "03"}, {"0302", "厘米", "03"}, {"0401", "升", "04"}, {"0402", "毫升", "04"},
    };
    return units;
}

const DemoUnit* DemoCatalogue::FindUnit(const std::string& code) {
    const auto& units = Units();
    const auto found = std::find_if(units.begin(), units.end(),
                                    [&code](const DemoUnit& unit) { return unit.code == code; });
    return found == units.end() ? nullptr : &*found;
}

const std::vector<DemoPerson>& DemoCatalogue::Persons() {
    static const std::vector<DemoPerson> persons = {
        {kApostrophePerson, "张伟", "03"},
        {"P002", "李娜", "03"},
        {"P003", "王芳", "03"},
        {"P004", "刘洋", "03"},
        {"P005", "陈静", "05"},
        {"P006", "John Miller", "03"},
        {"P007", "Anna Schmidt", std::nullopt},
        {"P008", "赵磊", "05"},
    };
    return persons;
}

std::vector<DemoWarehouse> DemoCatalogue::Warehouses(int count) {
    const int special = std::clamp(count - 1, 0, 2);
    const int ordinary = std::max(count - special, 0);
    const std::size_t width = std::max<std::size_t>(2, std::to_string(ordinary).size());
    const auto& persons = Persons();
    std::vector<DemoWarehouse> warehouses;
    for (int i = 0; i < ordinary; ++i) {
        const int number = i + 1;
        const bool named = i < static_cast<int>(std::size(kNamedStores));
        DemoWarehouse warehouse{Numbered(number, width),
                                named ? kNamedStores[i].name : BranchName(number), std::nullopt,
                                &persons[static_cast<std::size_t>(i) % persons.size()]};
        if (named && kNamedStores[i].address != nullptr) {
            warehouse.address = kNamedStores[i].address;
        }
        warehouses.push_back(std::move(warehouse));
    }
    if (special >= 1) {
        warehouses.push_back(
            {kApostropheWarehouse, "O'Brien's Depot", "12 Harbour Road, Cork", &persons[5]});
    }
    if (special >= 2) {
        warehouses.push_back({kAmpersandWarehouse, "研发样品仓(R&D)", std::nullopt, &persons[0]});
    }
    return warehouses;
}

}  // namespace zel::demo
