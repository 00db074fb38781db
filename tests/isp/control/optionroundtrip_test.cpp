// The control against a virtual chip on a real pseudo-terminal: options set in the editor are
// written by a download and read back by the next identification, for every series; the host's
// answer to a series question decides whether a download goes on.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "controlstate.h"
#include "controltestsupport.h"
#include "optioneditor.h"
#include "optionparameter.h"
#include "zelispcontrol.h"
#include "zelsim/virtualchip.h"

using zel::control::ZelIspControl;
using zel::options::OptionRow;
using zel::options::RowKind;
using zeltest::EventLog;

namespace {

constexpr int kPort = 5;
constexpr int kJobTimeoutMs = 60000;

QByteArray Code(int size) {
    QByteArray code(size, '\0');
    for (int i = 0; i < size; ++i) code[i] = char((i * 7 + 3) & 0xFF);
    return code;
}

// The text a chip record shows for a row's choice.
QString ChoiceText(const OptionRow& row, int value) {
    const QString choice = row.kind() == RowKind::List
                               ? zel::options::RightTrimmed(row.items.at(value))
                               : (value == 1 ? row.firstText() : row.secondText());
    return row.captionField + choice;
}

}  // namespace

class OptionRoundTripTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;
    QString m_db;

    // A running chip, and the host's port table pointing COM5 at it.
    std::unique_ptr<zelsim::VirtualChip> startChip(const char* model) {
        zelsim::ChipOptions o;
        o.model = model;
        o.dbPath = m_db.toStdString();
        o.bootDelayMs = 20;
        o.eraseMs = 0;
        o.rebootMs = 50;
        auto chip = std::make_unique<zelsim::VirtualChip>(o);
        std::string error;
        if (!chip->start(&error)) {
            qWarning("%s", error.c_str());
            return nullptr;
        }
        QFile config(m_dir.filePath(QStringLiteral("Config.ini")));
        if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate)) return nullptr;
        config.write(QStringLiteral("[Ports]\nCOM%1=%2\n")
                         .arg(kPort)
                         .arg(QString::fromStdString(chip->slavePath()))
                         .toUtf8());
        return chip;
    }

    // Runs a job and waits for its end; the last ViewInfo index (1001 when it succeeded).
    static int runJob(ZelIspControl& control, EventLog& log, int type) {
        log.events.clear();
        control.Start(type);
        if (!QTest::qWaitFor([&] { return log.ended(); }, kJobTimeoutMs)) return -1;
        for (auto it = log.events.rbegin(); it != log.events.rend(); ++it)
            if (it->event == zelisp::eventid::ViewInfo) return it->index;
        return 0;
    }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_db = m_dir.filePath(QStringLiteral("zel.db"));
        qputenv("ZEL_DB", m_db.toLocal8Bit());
        qputenv("KORVAN_HOME", m_dir.path().toLocal8Bit());
        ZelIspControl install;  // puts the built-in database in place for the chips
        QVERIFY(QFile::exists(m_db));
    }

    void everySeriesKeepsTheOptionsSet_data() {
        QTest::addColumn<QString>("model");
        for (const char* id : {"D103", "D203", "D303", "E003", "E103", "E203", "E603", "F003",
                               "F103", "F203", "F303"})
            QTest::newRow(id) << QString::fromLatin1(id);
    }

    void everySeriesKeepsTheOptionsSet() {
        QFETCH(QString, model);
        auto chip = startChip(qPrintable(model));
        QVERIFY(chip);
        ZelIspControl control;
        control.ReadProperties({});
        QCOMPARE(control.setCommPort(kPort), int(zelisp::kOk));
        EventLog log;
        control.Advise(&log);

        // Identify, then pick the chip's series as a host does.
        QCOMPARE(runJob(control, log, 1), 1001);
        const std::shared_ptr<zelisp::IZelInfo> info = control.McuInfo();
        QCOMPARE(info->id(), model);
        QCOMPARE(control.setListIndex(info->index()), int(zelisp::kOk));
        QCOMPARE(control.ListIndex(), info->index());
        const QStringList descriptors =
            zel::control::ControlState::processWide().Context.Chip.OptionDescriptors;
        QVERIFY(!descriptors.isEmpty());
        QCOMPARE(int(info->OptCount()), descriptors.size());

        // Every row that the chip stores is set away from what the chip holds now.
        const auto& rows = control.editor().model();
        QStringList expected;
        int untouched = 0;
        for (int i = 0; i < descriptors.size(); ++i) {
            const QString par = descriptors.at(i).section(u'-', 0, 0);
            int row = -1;
            for (int j = 0; j < rows.OptCount(); ++j)
                if (rows.row(j).parameterId == par) row = j;
            const QString now = info->OptList(int16_t(i));
            if (row < 0) {
                // A chip option the series shows no row for keeps what the chip holds.
                expected << now;
                ++untouched;
                continue;
            }
            const OptionRow& r = rows.row(row);
            int value = 0;
            if (r.kind() == RowKind::List) {
                int current = 0;
                while (current < r.items.size() && ChoiceText(r, current) != now) ++current;
                QVERIFY2(current < r.items.size(), qPrintable(now));
                value = (current + 1) % int(r.items.size());
            } else {
                value = ChoiceText(r, 1) == now ? 0 : 1;
            }
            control.setOptValue(int16_t(row), value);
            expected << ChoiceText(r, value);
            QVERIFY(expected.last() != now);
        }
        QVERIFY(untouched <= 1);  // the reset pin of two series
        // Parameter 24's rule only greys rows out; their values are written all the same.
        for (int i = 0; i < rows.OptCount(); ++i) QVERIFY(control.OptValue(int16_t(i)) >= 0);

        // Download: the code is handed over when asked for; the options are in the status
        // bytes by the time the option step is announced.
        const QByteArray code = Code(384);
        QStringList atOptionStep;
        log.onViewInfo = [&](int index) {
            if (index == 102) {
                QByteArray first = code.left(256), rest = code.mid(256);
                int32_t address = 256;
                control.SetData(first);
                control.AppendData(rest, address);
            }
            if (index == 105)
                for (int i = 0; i < descriptors.size(); ++i)
                    atOptionStep << info->OptList(int16_t(i));
        };
        QCOMPARE(runJob(control, log, 2), 1001);
        QVERIFY(log.has(zelisp::eventid::ViewInfo, 105));
        QCOMPARE(atOptionStep, expected);
        QVERIFY(log.has(zelisp::eventid::Progress, 100));
        const std::vector<uint8_t> image = chip->image();
        QVERIFY(image.size() >= size_t(code.size()));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(image.data()), code.size()), code);

        // A fresh identification reads the options back from the chip.
        log.onViewInfo = nullptr;
        zel::control::ControlState::processWide().Context.Chip.StatusBytes.clear();
        QCOMPARE(runJob(control, log, 1), 1001);
        QStringList readBack;
        for (int i = 0; i < descriptors.size(); ++i) readBack << info->OptList(int16_t(i));
        QCOMPARE(readBack, expected);
        control.Unadvise(&log);
    }

    void hostAnswerToADifferentSeriesDecidesTheDownload_data() {
        QTest::addColumn<bool>("resume");
        QTest::addColumn<bool>("bySignal");
        QTest::newRow("go on") << true << false;
        QTest::newRow("go on, answered by a signal handler") << true << true;
        QTest::newRow("stop") << false << false;
    }

    void hostAnswerToADifferentSeriesDecidesTheDownload() {
        QFETCH(bool, resume);
        QFETCH(bool, bySignal);
        auto chip = startChip("D103");  // series index 7
        QVERIFY(chip);
        ZelIspControl control;
        control.ReadProperties({});
        control.setCommPort(kPort);
        QCOMPARE(control.ListIndex(), int16_t(0));
        EventLog log;
        if (resume && !bySignal) log.answerInterrupt = zelisp::kTrue;
        if (resume && bySignal) {
            connect(&control, &ZelIspControl::Interrupt, this,
                    [](short&, QString&, short& bResume) { bResume = zelisp::kTrue; });
        }
        log.onViewInfo = [&](int index) {
            QByteArray code = Code(128);
            if (index == 102) control.SetData(code);
        };
        control.Advise(&log);
        const int last = runJob(control, log, 2);
        QVERIFY(log.has(zelisp::eventid::Interrupt, 1));
        QCOMPARE(log.textOf(zelisp::eventid::Interrupt, 1), QStringLiteral("系列不同"));
        if (resume) {
            QCOMPARE(last, 1001);
            QVERIFY(!log.has(zelisp::eventid::Error, 10));
        } else {
            QCOMPARE(last, 1003);
            QCOMPARE(log.textOf(zelisp::eventid::Error, 10),
                     QStringLiteral("系列不同，已取消下载"));
        }
        control.Unadvise(&log);
    }

    // A host closing while the control still waits for the chip hears nothing more.
    void destroyingTheControlDuringAJobIsQuiet() {
        zelsim::ChipOptions o;
        o.model = "F003";
        o.dbPath = m_db.toStdString();
        o.bootDelayMs = 600000;  // the user never powers the chip up
        zelsim::VirtualChip chip(o);
        QVERIFY(chip.start());
        QFile config(m_dir.filePath(QStringLiteral("Config.ini")));
        QVERIFY(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
        config.write(QStringLiteral("[Ports]\nCOM%1=%2\n")
                         .arg(kPort)
                         .arg(QString::fromStdString(chip.slavePath()))
                         .toUtf8());
        config.close();
        EventLog log;
        {
            ZelIspControl control;
            control.ReadProperties({});
            control.setCommPort(kPort);
            control.Advise(&log);
            control.Start(1);
            QCOMPARE(control.Buzy(), zelisp::kTrue);
            QVERIFY(log.has(zelisp::eventid::ViewInfo, 100));
            QTest::qWait(100);  // start flags go out meanwhile
        }
        const size_t heard = log.events.size();
        QTest::qWait(100);
        QCOMPARE(log.events.size(), heard);
        QVERIFY(!log.ended());
    }
};

QTEST_MAIN(OptionRoundTripTest)
#include "optionroundtrip_test.moc"
