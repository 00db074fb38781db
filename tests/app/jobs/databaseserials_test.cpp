// Numbered downloads with a production database: each chip's number comes from the task's pool
// in a real SQLite file, a failed job gives its number to the next chip, the task file does not
// advance, and a pool that cannot be reached or read never lets a number be guessed.
#include "record/databaseserials.h"
#include "core/inifile.h"
#include "jobs/jobtexts.h"
#include "jobtestsupport.h"

#include <QFile>
#include <QSqlQuery>
#include <QVariant>

namespace korvan::jobs::testing {
namespace {

enum class Step {
    Succeed,      // the chip takes the code
    Fail,         // the chip stops answering after the erase
    BreakPool,    // the pool's table can no longer be read, then a chip is asked for its code
    KeepRefused,  // the chip succeeds while the database refuses to note it; then it heals
};

struct PoolCase {
    const char* name;
    bool reachable;  // the database file can be made
    QString pool;    // [AddData] Pool; "" = the code file's name
    std::vector<Step> steps;
    std::vector<Outcome> outcomes;  // of the jobs that ran
    std::vector<qint64> written;    // the number in each chip that got one, in order
    std::vector<std::pair<qint64, QString>> numbers;  // the pool's numbers and their state
    qint64 nextNew;                                   // -1: no pool row to be read
    // The message or log line that says why a job did not run or stopped; null: none.
    QString (*said)(const QString& why);
};

const PoolCase kPoolCases[] = {
    {"each success keeps its number",
     true,
     {},
     {Step::Succeed, Step::Succeed},
     {Outcome::Success, Outcome::Success},
     {41, 42},
     {{41, "kept"}, {42, "kept"}},
     43,
     nullptr},
    {"a failed job's number goes to the next chip",
     true,
     QStringLiteral("board"),
     {Step::Succeed, Step::Fail, Step::Succeed, Step::Succeed},
     {Outcome::Success, Outcome::Failed, Outcome::Success, Outcome::Success},
     {41, 42, 42, 43},
     {{41, "kept"}, {42, "kept"}, {43, "kept"}},
     44,
     nullptr},
    {"an unreachable database refuses the job",
     false,
     {},
     {Step::Succeed},
     {},
     {},
     {},
     -1,
     text::SerialDatabaseUnavailable},
    {"a pool that cannot be read stops the job before the erase",
     true,
     {},
     {Step::Succeed, Step::BreakPool},
     {Outcome::Success, Outcome::Failed},
     {41},
     {{41, "kept"}},
     -1,
     text::SerialNotTaken},
    {"a number that could not be kept is kept once the database answers",
     true,
     {},
     {Step::KeepRefused, Step::Succeed},
     {Outcome::Success, Outcome::Success},
     {41, 42},
     {{41, "kept"}, {42, "kept"}},
     43,
     [](const QString& why) { return text::SerialNotKept(41, why); }},
};

void PrintTo(const PoolCase& c, std::ostream* out) {
    *out << c.name;
}

class PooledSerials : public ControllerTest, public ::testing::WithParamInterface<PoolCase> {
  protected:
    ~PooledSerials() override { controller.reset(); }

    QString databaseFile() const {
        // A folder that cannot be made (a file stands in its way) is as good as a server down.
        return scratch.path() + (GetParam().reachable ? QStringLiteral("/pool.sqlite")
                                                      : QStringLiteral("/code.hex/pool.sqlite"));
    }
    QStringList said() const {
        QStringList all = view.texts();
        for (const Message& m : view.messages) all << m.message.Text;
        return all;
    }
    // Runs `sql` on the database through a connection of its own.
    std::vector<std::pair<qint64, QString>> query(const QString& sql) {
        record::DatabaseUrl url;
        url.path = databaseFile();
        record::RecordDatabase db(url);
        std::vector<std::pair<qint64, QString>> rows;
        if (!db.open()) return rows;
        QSqlQuery q(db.connection());
        if (!q.exec(sql)) return rows;
        while (q.next()) rows.emplace_back(q.value(0).toLongLong(), q.value(1).toString());
        return rows;
    }

    std::optional<record::DatabaseSerials> serials;
};

TEST_P(PooledSerials, NumbersComeFromTheTasksPool) {
    const PoolCase& c = GetParam();
    loadHex(100);
    workspace->updateSettings([&](UserSettings& s) {
        s.IncOpen = true;
        s.IncAddress = 0xFFF0;
        s.IncFormat = QStringLiteral("%NL4");
        s.IncNext = 41;
        s.IncPool = c.pool;
    });
    serials.emplace(QStringLiteral("sqlite://") + databaseFile(), QStringLiteral("line-1"));
    controller->setSerialSource(&*serials);
    for (const Step step : c.steps) {
        if (step == Step::BreakPool)
            query(QStringLiteral("ALTER TABLE serial_pool RENAME TO kept_aside"));
        if (step == Step::KeepRefused)
            query(
                QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON serial_number WHEN "
                               "NEW.state = 'kept' BEGIN SELECT RAISE(ABORT, 'locked'); END"));
        const size_t started = driver.starts.size();
        if (!controller->DownloadAction(JobController::kDownload)) {
            clock.advance(0);  // the message
            continue;
        }
        ASSERT_EQ(driver.starts.size(), started + 1);
        driver.identify(chip());
        if (step == Step::Succeed || step == Step::KeepRefused) {
            driver.finishDownload();
        } else {
            driver.erase();
            if (step == Step::Fail)
                driver.fail(EndReason::RetriesExhausted, QStringLiteral("程序下载失败"));
        }
        clock.advance(0);
        ASSERT_EQ(controller->busyState(), BusyState::Idle);
        if (step == Step::KeepRefused) query(QStringLiteral("DROP TRIGGER refuse"));
    }

    std::vector<qint64> written;
    for (const auto& [bytes, address] : driver.appended) {
        EXPECT_EQ(address, 0xFFF0);
        qint64 n = 0;
        for (const char b : bytes) n = n << 8 | static_cast<quint8>(b);
        written.push_back(n);
    }
    EXPECT_EQ(written, c.written);
    std::vector<Outcome> outcomes;
    for (const JobResult& job : view.jobs) outcomes.push_back(job.outcome);
    EXPECT_EQ(outcomes, c.outcomes);
    const QString pool = c.pool.isEmpty() ? QStringLiteral("code.hex") : c.pool;
    EXPECT_EQ(query(QStringLiteral("SELECT number, state FROM serial_number WHERE pool = '%1' "
                                   "ORDER BY number")
                        .arg(pool)),
              c.numbers);
    const auto nextNew =
        query(QStringLiteral("SELECT next_new, pool FROM serial_pool WHERE pool = '%1'").arg(pool));
    EXPECT_EQ(nextNew.empty() ? -1 : nextNew[0].first, c.nextNew);
    // The pool keeps the next number; the task's own stays where it was.
    EXPECT_EQ(workspace->settings().IncNext, 41);
    EXPECT_EQ(ReadIni("AddData", "Data", workspace->settingsFile(), "none"), "none");
    const QStringList all = said();
    if (!c.said) {
        for (const qint64 n : c.written) EXPECT_TRUE(all.contains(text::SerialGiven(n))) << n;
        return;
    }
    // The words before the reason, and the reason names the database.
    const QString before = c.said(QStringLiteral("\x01")).section(QChar(1), 0, 0);
    EXPECT_TRUE(std::any_of(all.begin(), all.end(), [&](const QString& t) {
        return t.startsWith(before) && t.contains(databaseFile());
    })) << all.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Database, PooledSerials, ::testing::ValuesIn(kPoolCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

}  // namespace
}  // namespace korvan::jobs::testing
