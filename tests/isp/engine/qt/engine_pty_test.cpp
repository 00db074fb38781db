// Whole jobs through the Qt adapter and the serial component into a virtual chip behind a real
// pseudo-terminal; the chip's flash is compared with what the host handed over.
#include "zeldb.h"
#include "zelqtjob.h"
#include "zelsim/virtualchip.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

namespace zel {
namespace {

using namespace std::chrono_literals;

// Far above what any job here needs; only keeps a broken build from hanging the suite.
constexpr int kSafetyLimitMs = 60000;

Bytes Pattern(size_t size) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 13 + (i >> 7));
    return bytes;
}

class EnginePty : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "isp_engine_pty_tests";
        static char* argv[] = {name, nullptr};
        s_app = new QCoreApplication(argc, argv);
    }
    static void TearDownTestSuite() {
        delete s_app;
        s_app = nullptr;
    }

    void SetUp() override {
        // The engine reads the built-in database from memory; only the virtual chip, which is
        // a separate program's library, wants it as a file.
        ASSERT_TRUE(m_dir.isValid());
        m_dbPath = m_dir.filePath(QStringLiteral("zel.db"));
        ASSERT_TRUE(InstallDb(m_dbPath));
        m_series = SeriesCatalog::of(*m_database.load());
        ASSERT_FALSE(m_series.TypeList.isEmpty());
    }

    std::unique_ptr<zelsim::VirtualChip> startChip(const std::string& model,
                                                   zelsim::FaultPlan faults = {}) {
        zelsim::ChipOptions o;
        o.model = model;
        o.dbPath = m_dbPath.toStdString();
        o.bootDelayMs = 20;
        o.eraseMs = 10;
        o.faults = std::move(faults);
        auto chip = std::make_unique<zelsim::VirtualChip>(o);
        std::string error;
        EXPECT_TRUE(chip->start(&error)) << error;
        return chip;
    }

    // Selects the chip's series, as the host does, and runs a job until it ends.
    EndReason run(ZelQtJob& job, int type, const char* typeCode) {
        job.engine().setSelectedSeries(
            static_cast<int>(m_series.TypeList.indexOf(QString::fromLatin1(typeCode))));
        QEventLoop loop;
        EndReason reason = EndReason::None;
        QObject::connect(&job, &ZelQtJob::jobEnded, &loop, [&](EndReason r) {
            reason = r;
            loop.quit();
        });
        QTimer::singleShot(kSafetyLimitMs, &loop, &QEventLoop::quit);
        if (job.Start(type) == CallStatus::Ok || job.engine().endReason() != EndReason::None) {
            loop.exec();
        }
        return reason;
    }

    void record(ZelQtJob& job) {
        QObject::connect(&job, &ZelQtJob::ViewInfo, [this](int index, const QString& text) {
            m_lines.push_back(QString::number(index) + QLatin1Char(' ') + text);
        });
        QObject::connect(&job, &ZelQtJob::Error, [this](int index, const QString& text) {
            m_lines.push_back(QStringLiteral("E") + QString::number(index) + QLatin1Char(' ') +
                              text);
        });
        QObject::connect(&job, &ZelQtJob::Progress,
                         [this](int percent) { m_progress.push_back(percent); });
    }

    static QCoreApplication* s_app;
    QTemporaryDir m_dir;
    QString m_dbPath;
    MemoryChipDatabase m_database;
    SeriesCatalog m_series;
    ZelContext m_ctx;
    std::vector<QString> m_lines;
    std::vector<int> m_progress;
};

QCoreApplication* EnginePty::s_app = nullptr;

TEST_F(EnginePty, DownloadWithSerialNumberIntoAnEvenParityChip) {
    auto chip = startChip("D103");
    ZelQtJob job(m_ctx, m_database);
    job.port().setPortName(QString::fromStdString(chip->slavePath()));
    record(job);
    const Bytes code = Pattern(5000);
    const Bytes serial{0x00, 0x00, 0x04, 0xD2};
    QObject::connect(&job, &ZelQtJob::ViewInfo, [&](int index, const QString&) {
        if (index != 102) return;
        job.SetData(code);
        job.AppendData(serial, 0xFFFC);
    });

    QStringList trace;
    QObject::connect(&job, &ZelQtJob::traced, [&](const QString& line) { trace << line; });
    job.setTraceEnabled(true);
    EXPECT_EQ(run(job, 2, "8"), EndReason::Completed)
        << trace.join(QLatin1Char('\n')).toStdString();
    ASSERT_FALSE(m_lines.empty());
    EXPECT_EQ(m_lines.back(), QStringLiteral("1001 程序下载成功"));
    ASSERT_FALSE(m_progress.empty());
    EXPECT_EQ(m_progress.back(), 100);
    EXPECT_EQ(m_progress.size(), 41u);  // 40 blocks of code and the serial-number block

    const std::vector<uint8_t> image = chip->image();
    ASSERT_EQ(image.size(), 65536u);
    EXPECT_EQ(Bytes(image.begin(), image.begin() + 5000), code);
    EXPECT_EQ(Bytes(image.begin() + 0xFFFC, image.end()), serial);
    EXPECT_EQ(std::count(image.begin() + 0xFF80, image.begin() + 0xFFFC, 0xFF), 0x7C);
    const zelsim::ChipSnapshot snap = chip->snapshot();
    EXPECT_EQ(snap.session.finalRate, 115200);
    EXPECT_EQ(snap.counters.badPackets, 0u);
    EXPECT_EQ(snap.counters.blockRetries, 0u);
}

TEST_F(EnginePty, DownloadIntoAOneByteChecksumChipSurvivesRetries) {
    zelsim::FaultPlan faults;
    faults.nakBlock[3] = 2;  // block 3 is refused twice
    auto chip = startChip("F084", faults);
    ZelQtJob job(m_ctx, m_database);
    job.port().setPortName(QString::fromStdString(chip->slavePath()));
    record(job);
    const Bytes code = Pattern(1000);
    QObject::connect(&job, &ZelQtJob::ViewInfo, [&](int index, const QString&) {
        if (index == 102) job.SetData(code);
    });

    EXPECT_EQ(run(job, 2, "0"), EndReason::Completed);
    EXPECT_EQ(m_lines.back(), QStringLiteral("1001 程序下载成功"));
    const std::vector<uint8_t> image = chip->image();
    ASSERT_GE(image.size(), 1000u);
    EXPECT_EQ(Bytes(image.begin(), image.begin() + 1000), code);
    EXPECT_EQ(chip->snapshot().counters.blockRetries, 2u);
}

TEST_F(EnginePty, HostAdoptsTheChipsSeriesThroughTheInterruptSignal) {
    auto chip = startChip("F084");
    ZelQtJob job(m_ctx, m_database);
    job.port().setPortName(QString::fromStdString(chip->slavePath()));
    record(job);
    QObject::connect(&job, &ZelQtJob::ViewInfo, [&](int index, const QString&) {
        if (index == 102) job.SetData(Pattern(300));
    });
    std::vector<int> asked;
    QObject::connect(&job, &ZelQtJob::Interrupt, [&](int index, const QString&, bool& bResume) {
        asked.push_back(index);
        job.engine().setSelectedSeries(m_ctx.Chip.SeriesIndex);
        bResume = true;
    });
    EXPECT_EQ(run(job, 2, "8"), EndReason::Completed);  // the D1 series is selected
    EXPECT_EQ(asked, std::vector<int>{1});
    const std::vector<uint8_t> image = chip->image();
    ASSERT_GE(image.size(), 300u);
    EXPECT_EQ(Bytes(image.begin(), image.begin() + 300), Pattern(300));
}

TEST_F(EnginePty, CheckJobIdentifiesTheChip) {
    auto chip = startChip("D103");
    ZelQtJob job(m_ctx, m_database);
    job.port().setPortName(QString::fromStdString(chip->slavePath()));
    record(job);
    EXPECT_EQ(run(job, 1, "8"), EndReason::Completed);
    EXPECT_EQ(m_lines, (std::vector<QString>{"1000 检测单片机参数", "100 等待启动标志...",
                                             "500 检测到单片机：ZELH64AD", "1001 参数检测完成"}));
    EXPECT_EQ(m_ctx.Chip.ModelId, "D103");
    EXPECT_EQ(m_ctx.Chip.Sn, "00-1A-2B-3C-4D-5E-6F");
}

TEST_F(EnginePty, SilentChipWaitsUntilCancelled) {
    zelsim::FaultPlan faults;
    faults.muteSync = true;
    auto chip = startChip("D103", faults);
    ZelQtJob job(m_ctx, m_database);
    job.port().setPortName(QString::fromStdString(chip->slavePath()));
    record(job);
    // The host's own countdown ends the wait; here it ends once the chip has heard about as
    // many start flags as 300 ms of waiting send, however slowly a busy machine gets there.
    // A wait that ended by itself, or stopped sending, never gets that far.
    QTimer heard;
    QObject::connect(&heard, &QTimer::timeout, &job, [&] {
        if (chip->snapshot().counters.syncBytes > 30) job.CancelDown(true);
    });
    heard.start(10);
    EXPECT_EQ(run(job, 2, "8"), EndReason::Cancelled);
    EXPECT_EQ(m_lines.back(), QStringLiteral("1002 取消程序下载"));
    EXPECT_GT(chip->snapshot().counters.syncBytes, 3u);
    EXPECT_FALSE(job.port().PortOpen());
}

TEST_F(EnginePty, ChipThatHangsUpMidDownloadEndsTheJobAtOnce) {
    zelsim::FaultPlan faults;
    faults.hangupAtBlock = 3;  // the far side of the pty closes when block 3 arrives
    auto chip = startChip("D103", faults);
    ZelQtJob job(m_ctx, m_database);
    job.port().setPortName(QString::fromStdString(chip->slavePath()));
    record(job);
    QObject::connect(&job, &ZelQtJob::ViewInfo, [&](int index, const QString&) {
        if (index == 102) job.SetData(Pattern(5000));
    });
    QStringList trace;
    QObject::connect(&job, &ZelQtJob::traced, [&](const QString& line) { trace << line; });
    job.setTraceEnabled(true);

    EXPECT_EQ(run(job, 2, "8"), EndReason::PortLost) << trace.join(QLatin1Char('\n')).toStdString();
    ASSERT_GE(m_lines.size(), 2u);
    EXPECT_EQ(m_lines[m_lines.size() - 2],
              QStringLiteral("E2 串行端口已断开：串口适配器被拔出或连接中断"));
    EXPECT_EQ(m_lines.back(), QStringLiteral("1003 程序下载失败"));
    // Ended on the loss itself: block 3 (address 0180) was sent once, never again after a
    // response time-out.
    EXPECT_EQ(trace.filter(QStringLiteral("port device lost")).size(), 1);
    EXPECT_EQ(trace.filter(QStringLiteral(",00,00,00,01,80,00,80,")).size(), 1);
    EXPECT_FALSE(job.port().PortOpen());
    EXPECT_LT(m_progress.size(), 40u);
}

TEST_F(EnginePty, MissingPortIsReportedAndEndsTheJob) {
    ZelQtJob job(m_ctx, m_database);
    job.port().setPortName(m_dir.filePath(QStringLiteral("no-such-tty")));
    record(job);
    EXPECT_EQ(run(job, 2, "8"), EndReason::PortOpenFailed);
    EXPECT_EQ(m_lines,
              (std::vector<QString>{"E1 串行端口已打开或者无效", "E1 串行端口已打开或者无效"}));
    EXPECT_EQ(job.engine().lastPortFailure().code, 8002);
}

TEST_F(EnginePty, TraceShowsEveryPacketWithItsDelta) {
    auto chip = startChip("D103");
    ZelQtJob job(m_ctx, m_database);
    job.port().setPortName(QString::fromStdString(chip->slavePath()));
    QStringList trace;
    QObject::connect(&job, &ZelQtJob::traced, [&](const QString& line) { trace << line; });
    job.setTraceEnabled(true);
    EXPECT_EQ(run(job, 1, "8"), EndReason::Completed);
    ASSERT_FALSE(trace.isEmpty());
    EXPECT_TRUE(trace.first().startsWith(QLatin1Char('+')));
    EXPECT_EQ(trace.filter(QStringLiteral("port open 1200,N,8,1")).size(), 1);
    EXPECT_EQ(trace.filter(QStringLiteral("(start flag)")).size(), 1);
    EXPECT_EQ(trace.filter(QRegularExpression(QStringLiteral("reply .*D1,03"))).size(), 1);
}

}  // namespace
}  // namespace zel
