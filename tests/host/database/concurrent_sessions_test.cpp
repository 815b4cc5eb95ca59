// Several users on one account at once, each through a database service of its own: what one
// writes, another never sees half done, and the rules hold across them.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "host/database/cls_common.h"
#include "host/database/database_texts.h"
#include "support/test_database.h"

namespace zel {
namespace {

constexpr int kRows = 2000;
constexpr int kStartingSum = kRows * 10;

class ConcurrentSessionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.AddWarehouse("01");
        db.AddWarehouse("02");
        // Texts are loaded once, before several threads read them.
        DatabaseTexts::Text("Zel.HOST.DB.duplicate");
    }

    void AddRows() {
        ASSERT_TRUE(db.Execute(
            "insert into Inventory (cInvCode, cInvName) select 'R' || (10000 + k), 'x' from "
            "(with recursive n(k) as (select 1 union all select k + 1 from n where k < " +
            std::to_string(kRows) + ") select k from n) as numbers"));
        ASSERT_TRUE(
            db.Execute("insert into WhInvContrapose (cWhCode, cInvCode, iTopSum) "
                       "select '01', cInvCode, 10 from Inventory where cInvCode like 'R%'"));
    }

    long long Count(const std::string& sql) { return std::stoll(db.Scalar(sql).ToString()); }

    test::TestDatabase db;
};

TEST_F(ConcurrentSessionsTest, TwoUsersAddingTheSamePairEndWithOneRowAndOneDuplicate) {
    db.AddInventory("A001");
    const std::string xml =
        "<WhInvContrapose><cWhCode>01</cWhCode><cInvCode>A001</cInvCode>"
        "<iTopSum>5</iTopSum><cUserId>demo</cUserId></WhInvContrapose>";
    auto first = db.OpenServiceOfAnotherProgram();
    auto second = db.OpenServiceOfAnotherProgram();
    std::atomic<int> ready{0};
    std::string messages[2];
    bool added[2] = {false, false};
    auto add = [&](int user, IClsCommon& service) {
        ++ready;
        while (ready < 2) {
        }
        added[user] = service.Add(xml, "WhInvContrapose", messages[user]);
    };
    std::thread one(add, 0, std::ref(*first));
    std::thread two(add, 1, std::ref(*second));
    one.join();
    two.join();
    EXPECT_NE(added[0], added[1]) << messages[0] << " / " << messages[1];
    EXPECT_EQ(messages[added[0] ? 1 : 0],
              DatabaseTexts::Text("Zel.HOST.DB.duplicate.WhInvContrapose"));
    EXPECT_EQ(Count("select count(*) from WhInvContrapose"), 1);
}

// The window's set update is one statement: a program killed while it runs leaves every row as
// it was or every row changed, never some of each.
TEST_F(ConcurrentSessionsTest, AClientKilledInTheMiddleOfASetUpdateLeavesEveryRowOldOrNew) {
    AddRows();
    for (int delayMs : {0, 5, 40}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            auto service = db.OpenServiceOfAnotherProgram();
            for (int round = 0; round < 50; ++round) {
                service->ExecuteX(
                    "update WhInvContrapose set iTopSum = iTopSum + 1 "
                    "from WhInvContrapose left join Inventory on "
                    "WhInvContrapose.cInvCode = Inventory.cInvCode "
                    "where Inventory.cInvName = 'x'");
            }
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_EQ(Count("select count(distinct iTopSum) from WhInvContrapose"), 1)
            << "killed after " << delayMs << " ms";
    }
}

// A writer moves stock settings between rows in single transactions; readers refreshing at the
// same time each see the sum the transactions keep.
TEST_F(ConcurrentSessionsTest, SessionsRefreshingWhileOneWritesSeeConsistentGrids) {
    AddRows();
    std::atomic<bool> writing{true};
    std::thread writer([&] {
        auto service = db.OpenServiceOfAnotherProgram();
        for (int move = 0; move < 40; ++move) {
            const std::string from = "R" + std::to_string(10001 + (move * 2) % kRows);
            const std::string to = "R" + std::to_string(10002 + (move * 6) % kRows);
            // Odd and even positions never meet: the two rows are always two.
            service->ExecuteX(
                "update WhInvContrapose set iTopSum = iTopSum + case when "
                "cInvCode = '" +
                to +
                "' then 1 else -1 end "
                "where cInvCode in ('" +
                from + "', '" + to + "')");
        }
        writing = false;
    });
    constexpr int kReaders = 20;
    std::vector<std::thread> readers;
    std::atomic<int> inconsistent{0};
    std::atomic<int> reads{0};
    for (int reader = 0; reader < kReaders; ++reader) {
        readers.emplace_back([&] {
            auto service = db.OpenServiceOfAnotherProgram();
            do {
                const auto rows = service->OpenX(
                    "select cInvCode, iTopSum from WhInvContrapose where cWhCode = '01'");
                long long sum = 0;
                long count = 0;
                for (; rows && !rows->Eof(); rows->MoveNext()) {
                    sum += std::stoll(rows->Fields(1)->ToString());
                    ++count;
                }
                if (count != kRows || sum != kStartingSum) {
                    ++inconsistent;
                }
                ++reads;
            } while (writing);
        });
    }
    writer.join();
    for (auto& reader : readers) {
        reader.join();
    }
    EXPECT_EQ(inconsistent, 0) << "of " << reads << " reads";
    EXPECT_EQ(Count("select sum(iTopSum) from WhInvContrapose"), kStartingSum);
}

}  // namespace
}  // namespace zel
