// The job controller over the ZEL control as the desktop program hosts it: libzel.so loaded
// at run time, events through Advise, a download into zel-sim on the port the host's port
// table names.
#include "core/codeworkspace.h"
#include "jobs/controljobdriver.h"
#include "jobs/jobcontroller.h"
#include "zelisp_loader.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace korvan;
using namespace korvan::jobs;

namespace {

constexpr int kPort = 7;
// How long the test waits for the chip or the download: a passing run goes on as soon as it
// happens; a machine starved of CPU may take a minute for a second's work.
constexpr int kPatienceMs = 120000;

class RecordingView : public JobView {
  public:
    void showMessage(const UserMessage& message, bool, std::function<void(int)>) override {
        messages << message.Text;
    }
    void lineLogged(const LoggedLine& line) override { lines << line.text; }
    void chipIdentified(const ChipRecord& chip) override { model = chip.model; }
    void jobEnded(const JobResult& result) override { jobs.push_back(result); }
    void runFinished(const RunResult& result) override { runs.push_back(result); }

    QStringList messages, lines;
    QString model;
    std::vector<JobResult> jobs;
    std::vector<RunResult> runs;
};

QByteArray Code(int size) {
    QByteArray code(size, '\0');
    for (int i = 0; i < size; ++i) code[i] = char((i * 7 + 3) & 0xFF);
    return code;
}

}  // namespace

class ControlDriverTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        qputenv("ZEL_DB", m_dir.filePath(QStringLiteral("zel.db")).toLocal8Bit());
        qputenv("KORVAN_HOME", m_dir.path().toLocal8Bit());
    }

    // A download through the control into a zel-sim started with `simOptions`, on the port
    // the host's table maps COM7 to; the flash must then hold `code`. The view is the caller's
    // to look at.
    void downloadThroughTheControl(const QString& name, const QStringList& simOptions,
                                   const QByteArray& code, const JobSettings& settings,
                                   RecordingView& view) {
        zelisp::ZelControlHandle zel = zelisp::LoadZelControl(QStringLiteral(ZEL_LIBRARY_PATH));
        QVERIFY2(zel, qPrintable(zel.detail));
        std::unique_ptr<QObject> owner(zel.object);
        zel.control->ReadProperties({});

        // The port table is read once per process: every chip takes the same place.
        const QString link = m_dir.filePath(QStringLiteral("chip"));
        const QString image = m_dir.filePath(name + QStringLiteral(".image"));
        QFile config(m_dir.filePath(QStringLiteral("Config.ini")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral("[Ports]\nCOM%1=%2\n").arg(kPort).arg(link).toUtf8());
        config.close();
        QFile::remove(link);
        QProcess sim;
        sim.start(QStringLiteral(ZEL_SIM_PROGRAM),
                  QStringList{"--model", "D103", "--db", m_dir.filePath(QStringLiteral("zel.db")),
                              "--link", link, "--image-out", image, "--once", "--boot-delay", "20",
                              "--erase-ms", "0"} +
                      simOptions);
        QVERIFY(sim.waitForStarted(kPatienceMs));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(link), kPatienceMs);

        const QString bin = m_dir.filePath(name + QStringLiteral(".bin"));
        QFile file(bin);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(code);
        file.close();
        CodeWorkspace workspace(CurrentAppPaths());
        QVERIFY(workspace.OpenCodeFile(bin, true).Ok);
        QCOMPARE(zel.control->setCommPort(kPort), 0);

        SystemJobClock clock;
        ControlJobDriver driver(clock, *zel.control);
        driver.setSeriesIndex(7);  // ZEL51H, the series of D103
        PortAccess port;
        port.setTarget(ParsePortArgument(QStringLiteral("COM%1").arg(kPort)));
        ProcessLauncher launcher;
        MemoryDownloadCounter counter;
        JobController controller({driver, clock, workspace, port, launcher, counter, view});
        controller.setSettings(settings);

        QVERIFY(controller.DownloadAction(JobController::kDownload));
        QTRY_VERIFY_WITH_TIMEOUT(!view.runs.empty(), kPatienceMs);
        QVERIFY2(view.messages.isEmpty(), qPrintable(view.messages.join('\n')));
        QCOMPARE(view.jobs.size(), size_t(1));
        QCOMPARE(int(view.jobs[0].outcome), int(Outcome::Success));
        QCOMPARE(controller.busyState(), BusyState::Idle);

        QVERIFY(sim.state() == QProcess::NotRunning || sim.waitForFinished(kPatienceMs));
        QFile flash(image);
        QVERIFY(flash.open(QIODevice::ReadOnly));
        QCOMPARE(flash.read(code.size()), code);
    }

    void downloadEndsOnceWithTheCounterLine() {
        const QByteArray code = Code(700);
        JobSettings settings;
        settings.errTim = 20;
        RecordingView view;
        downloadThroughTheControl(QStringLiteral("plain"), {}, code, settings, view);
        if (QTest::currentTestFailed()) return;
        QCOMPARE(int(view.jobs[0].reason), int(EndReason::Completed));
        QCOMPARE(view.jobs[0].bytes, qint64(code.size()));
        QCOMPARE(view.model, QStringLiteral("ZELH64AD"));
        QVERIFY(view.lines.contains(QStringLiteral("总第 1 次下载成功完成")));
    }

    // The desktop program's way to the port's DTR: through the control. zel-sim starts without
    // power, and only the sequence's DTR steps (on the test channel, as a pty has no modem
    // lines) switch it on.
    void dtrPowerSequenceBootsAChipWithoutPower() {
        const QString lines = m_dir.filePath(QStringLiteral("lines"));
        qputenv("KORVAN_TEST_MODEM_LINES", lines.toLocal8Bit());
        JobSettings settings;
        settings.errTim = 20;
        settings.resetSequence = *ParseResetSequence(QStringLiteral("dtr-power")).sequence;
        RecordingView view;
        downloadThroughTheControl(QStringLiteral("powered"), {"--power-on", lines}, Code(300),
                                  settings, view);
        qunsetenv("KORVAN_TEST_MODEM_LINES");
    }

    void portThatCannotBeOpenedEndsTheRunAsAPortError() {
        zelisp::ZelControlHandle zel = zelisp::LoadZelControl(QStringLiteral(ZEL_LIBRARY_PATH));
        QVERIFY2(zel, qPrintable(zel.detail));
        std::unique_ptr<QObject> owner(zel.object);
        zel.control->ReadProperties({});
        QCOMPARE(zel.control->setCommPort(9), 0);  // mapped nowhere
        SystemJobClock clock;
        ControlJobDriver driver(clock, *zel.control);
        struct Ends : DriverListener {
            void driverError(int index, const QString&) override { errors << index; }
            void driverViewInfo(int, const QString&) override {}
            void driverInterrupt(int, const QString&, bool&) override {}
            void driverProgress(int) override {}
            void driverJobEnded(EndReason reason) override { ends.push_back(reason); }
            QList<int> errors;
            std::vector<EndReason> ends;
        } listener;
        driver.setListener(&listener);
        QVERIFY(!driver.start(1));
        QVERIFY(listener.ends.empty());  // never inside the call
        QTRY_COMPARE_WITH_TIMEOUT(listener.ends.size(), size_t(1), kPatienceMs);
        QCOMPARE(int(listener.ends[0]), int(EndReason::PortOpenFailed));
        QVERIFY(listener.errors.contains(1));
        QTest::qWait(50);
        QCOMPARE(listener.ends.size(), size_t(1));
        driver.setListener(nullptr);
    }
};

QTEST_MAIN(ControlDriverTest)
#include "controldriver_test.moc"
