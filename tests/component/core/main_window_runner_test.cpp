#include "core/main_window_runner.h"

#include <gtest/gtest.h>

#include <sstream>

#include "fake_services.h"
#include "support/scripted_dialogs.h"

namespace korvel::test {
namespace {

TEST(ReportingMainWindowRunner, LoadsTheStyleAndCatalogueAndWritesWhatShowBound) {
    zel::test::ScriptedDialogs dialogs;
    auto journal = std::make_shared<Journal>();
    auto pub = std::make_shared<FakePub>(journal, dialogs);
    pub->texts = HostTexts();
    pub->captions = DictionaryCaptions();
    ComponentContext context;
    context.login.login = std::make_shared<FakeLogin>();
    context.login.pub = pub;
    context.login.db = std::make_shared<FakeDb>(journal);
    context.login.sCurDate = "2024-03-15";
    context.login.sAuthWh = "(Warehouse.CWhCode in ('01'))";
    std::ostringstream out;
    ReportingMainWindowRunner(out)(context);
    const std::string report = out.str();
    for (const char* line :
         {"user: u01\n", "database: acc001\n", "date: 2024-03-15\n",
          "sAuthWh: (Warehouse.CWhCode in ('01'))\n", "sAuthInv: (1=2)\n", "quantity digits: 2\n",
          "quantity style: <style><iwastage>2</iwastage><ilowsum>2</ilowsum><isafenum>2"
          "</isafenum><itopsum>2</itopsum></style>\n",
          "sTableTitle: 仓库存货对照表\n", "arrFreqValue: 天 | 周 | 月\n",
          "arrWeek:  | 星期日 | 星期一 | 星期二 | 星期三 | 星期四 | 星期五 | 星期六\n",
          "sFldDefXml: <whinvcontrapose><whinvcontrapose.CWhCode showfldname='仓库编码'"}) {
        EXPECT_NE(report.find(line), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace korvel::test
