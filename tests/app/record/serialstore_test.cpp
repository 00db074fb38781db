// Serial numbers from the database's pool: the lowest number given back goes first, then new
// ones; two takers on one database never get the same number; pools are apart; a station gives
// back what its dead processes held, and only that.
#include "record/serialstore.h"
#include "record/serialholders.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSqlQuery>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QVariant>
#include <set>

namespace korvan::record {
namespace {

DatabaseUrl FileIn(const QTemporaryDir& dir) {
    DatabaseUrl url;
    url.path = dir.path() + QStringLiteral("/pool.sqlite");
    return url;
}

struct Step {
    enum Kind { Take, Keep, GiveBack } kind;
    int taken;  // Keep/GiveBack: which earlier Take's number
};

struct StoreCase {
    const char* name;
    qint64 first;
    std::vector<Step> steps;
    std::vector<qint64> taken;
    qint64 nextNew;
};

const StoreCase kCases[] = {
    {"in order", 5, {{Step::Take, 0}, {Step::Take, 0}, {Step::Take, 0}}, {5, 6, 7}, 8},
    {"a failed chip's number goes to the next chip",
     1,
     {{Step::Take, 0}, {Step::Take, 0}, {Step::GiveBack, 0}, {Step::Keep, 1}, {Step::Take, 0}},
     {1, 2, 1},
     3},
    {"the lowest number given back first",
     10,
     {{Step::Take, 0},
      {Step::Take, 0},
      {Step::Take, 0},
      {Step::GiveBack, 2},
      {Step::GiveBack, 0},
      {Step::Take, 0},
      {Step::Take, 0},
      {Step::Take, 0}},
     {10, 11, 12, 10, 12, 13},
     14},
    {"after 999999999 comes 1", 999999999, {{Step::Take, 0}, {Step::Take, 0}}, {999999999, 1}, 2},
};

TEST(SerialStore, HandsOutTheLowestGivenBackThenNewNumbers) {
    for (const StoreCase& c : kCases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        RecordDatabase db(FileIn(dir));
        ASSERT_TRUE(db.open()) << db.error().toStdString();
        SerialStore store(db, QStringLiteral("board.mcp"), QStringLiteral("s1"), c.first);
        std::vector<qint64> taken;
        for (const Step& step : c.steps) {
            if (step.kind == Step::Take) {
                const auto n = store.take();
                ASSERT_TRUE(n.has_value()) << store.error().toStdString();
                taken.push_back(*n);
            } else if (step.kind == Step::Keep) {
                ASSERT_TRUE(store.keep(taken.at(static_cast<size_t>(step.taken))));
            } else {
                ASSERT_TRUE(store.giveBack(taken.at(static_cast<size_t>(step.taken))));
            }
        }
        EXPECT_EQ(taken, c.taken);
        EXPECT_EQ(store.nextNew(), c.nextNew);
    }
}

TEST(SerialStore, TwoStationsOnOneDatabaseNeverShareANumberAndPoolsAreApart) {
    QTemporaryDir dir;
    RecordDatabase a(FileIn(dir)), b(FileIn(dir));
    ASSERT_TRUE(a.open());
    ASSERT_TRUE(b.open());
    SerialStore first(a, QStringLiteral("board.mcp"), QStringLiteral("s1"), 100);
    SerialStore second(b, QStringLiteral("board.mcp"), QStringLiteral("s2"), 500);
    SerialStore other(b, QStringLiteral("other.mcp"), QStringLiteral("s2"), 100);
    std::set<qint64> numbers;
    for (int i = 0; i < 20; ++i) {
        SerialStore& store = i % 2 ? second : first;
        const auto n = store.take();
        ASSERT_TRUE(n.has_value());
        EXPECT_TRUE(numbers.insert(*n).second) << *n;
        if (i % 5 == 4) {
            ASSERT_TRUE(store.giveBack(*n));
            numbers.erase(*n);
        }
    }
    // The pool began where its first station said; the second station's start is ignored.
    EXPECT_EQ(*numbers.begin(), 100);
    EXPECT_EQ(*numbers.rbegin(), 115);
    EXPECT_EQ(other.take(), 100);
}

// No process can have this number: the kernel's limit is 2^22.
constexpr qint64 kDeadPid = (1 << 22) + 1;

struct HolderCase {
    const char* name;
    QString station, host;  // "" = this station / this machine
    qint64 pid;             // 0: not noted (a version-1 row); -1: this process
    bool chipRecordedOk;    // the production record holds a good row with the number
    QString state;          // the number's state after the start
    qint64 nextTaken;       // the number the next take gives
};

const HolderCase kHolderCases[] = {
    {"a dead process of this station", {}, {}, kDeadPid, false, "free", 5},
    {"a dead process whose chip succeeded", {}, {}, kDeadPid, true, "kept", 6},
    {"this process", {}, {}, -1, false, "taken", 6},
    {"another station", QStringLiteral("s2"), {}, kDeadPid, false, "taken", 6},
    {"another machine", {}, QStringLiteral("elsewhere"), kDeadPid, false, "taken", 6},
    {"a holder never noted", {}, {}, 0, false, "taken", 6},
};

TEST(SerialStore, AStationGivesBackWhatItsDeadProcessesHeld) {
    for (const HolderCase& c : kHolderCases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        RecordDatabase db(FileIn(dir));
        ASSERT_TRUE(db.open()) << db.error().toStdString();
        SerialStore store(db, QStringLiteral("board.mcp"), QStringLiteral("s1"), 5);
        ASSERT_EQ(store.take(), 5);
        QSqlQuery q(db.connection());
        const qint64 pid = c.pid < 0 ? QCoreApplication::applicationPid() : c.pid;
        ASSERT_TRUE(q.prepare("UPDATE serial_number SET station = ?, host = ?, pid = ?"));
        q.addBindValue(c.station.isEmpty() ? QStringLiteral("s1") : c.station);
        q.addBindValue(c.host.isEmpty() ? QSysInfo::machineHostName() : c.host);
        q.addBindValue(pid);
        ASSERT_TRUE(q.exec());
        ProductionRow ok;
        ok.endedAt = QDateTime::currentDateTimeUtc();
        ok.task = QStringLiteral("board.mcp");
        ok.serial = 5;
        ok.result = QStringLiteral("ok");
        if (c.chipRecordedOk) {
            ASSERT_TRUE(db.insert({ok})) << db.error().toStdString();
        }

        const std::optional<int> settled = ReclaimDeadHolders(db, QStringLiteral("s1"));
        ASSERT_TRUE(settled.has_value()) << db.error().toStdString();
        EXPECT_EQ(*settled, c.state == "taken" ? 0 : 1);
        ASSERT_TRUE(q.exec("SELECT state FROM serial_number WHERE number = 5") && q.next());
        EXPECT_EQ(q.value(0).toString(), c.state);
        EXPECT_EQ(store.take(), c.nextTaken);
    }
}

TEST(SerialStore, OnlyProcessesThatCannotRunAreDead) {
    EXPECT_TRUE(ProcessRuns(QCoreApplication::applicationPid()));
    EXPECT_TRUE(ProcessRuns(1));  // init runs, though under another user
    EXPECT_TRUE(ProcessRuns(0));  // not known: nothing is given back on a guess
    EXPECT_FALSE(ProcessRuns(kDeadPid));
    EXPECT_FALSE(ProcessRuns(qint64(1) << 40));
}

}  // namespace
}  // namespace korvan::record
