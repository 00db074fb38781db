// The series lists and the option values stored per series, against the real ZEL control
// loaded from libzel.so, with a private settings folder.
#include <QComboBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "core/codeimage.h"
#include "core/codeworkspace.h"
#include "core/inidocument.h"
#include "core/inifile.h"
#include "core/taskfile.h"
#include "views/seriesoptions.h"
#include "windows/serieslists.h"
#include "zelisp_interface.h"
#include "zelisp_loader.h"

using namespace korvan;

class SeriesOptionsTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;
    std::unique_ptr<QObject> m_owner;
    zelisp::IZelIsp* m_control = nullptr;
    std::unique_ptr<CodeWorkspace> m_workspace;
    int m_withOptions = -1;  // a series that has options
    int m_otherWithOptions = -1;
    int m_without = -1;  // one that has none

    AppPaths paths() const {
        AppPaths p;
        p.AppPath = m_dir.path() + "/";
        p.TempPath = m_dir.path() + "/";
        p.RegistryFile = m_dir.filePath("registry.ini");
        return p;
    }
    QString config() const { return paths().configFile(); }
    QString stored(int series) const {
        return ReadIni("Option", QString::number(series), config(), "<none>");
    }

    // A value list other than the defaults: every option moved to another choice it accepts.
    QString changedValues() {
        for (int16_t i = 0; i < m_control->OptCount(); ++i) {
            const int32_t before = m_control->OptValue(i);
            for (int32_t candidate : {1, 0, 2, 3}) {
                if (candidate == before) continue;
                m_control->setOptValue(i, candidate);
                if (m_control->OptValue(i) != before) break;
            }
        }
        SeriesOptions series(*m_control, *m_workspace);
        return series.CurrentValues();
    }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        qputenv("ZEL_DB", m_dir.filePath("zel.db").toLocal8Bit());
        qputenv("KORVAN_HOME", m_dir.path().toLocal8Bit());
        zelisp::ZelControlHandle zel = zelisp::LoadZelControl(QStringLiteral(ZEL_LIBRARY_PATH));
        QVERIFY2(zel, qPrintable(zel.detail));
        m_owner.reset(zel.object);
        m_control = zel.control;
        m_control->ReadProperties({});
        for (int16_t i = 0; i < m_control->ListCount(); ++i) {
            m_control->setListIndex(i);
            if (m_control->OptCount() > 1) {
                if (m_withOptions < 0)
                    m_withOptions = i;
                else if (m_otherWithOptions < 0)
                    m_otherWithOptions = i;
            }
        }
        QVERIFY2(m_withOptions >= 0 && m_otherWithOptions >= 0, "two series with options");
    }

    void init() {
        QFile::remove(config());
        m_workspace = std::make_unique<CodeWorkspace>(paths());
        m_control->setListIndex(int16_t(m_withOptions));
    }

    void namesAreTheControlsSeries() {
        SeriesOptions series(*m_control, *m_workspace);
        const QStringList names = series.SeriesNames();
        QCOMPARE(names.size(), int(m_control->ListCount()));
        for (int16_t i = 0; i < m_control->ListCount(); ++i) {
            int16_t index = i;
            QCOMPARE(names[i], m_control->List(index));
            QVERIFY(!names[i].isEmpty());
        }
    }

    void seriesAToBAndBackRestoresAsValues() {
        SeriesOptions series(*m_control, *m_workspace);
        const QString aValues = changedValues();
        QCOMPARE(series.SelectSeries(m_otherWithOptions), m_otherWithOptions);
        QCOMPARE(int(m_control->ListIndex()), m_otherWithOptions);
        QCOMPARE(stored(m_withOptions), aValues);  // A's values went into Config.ini
        const QString bValues = changedValues();
        QCOMPARE(series.SelectSeries(m_withOptions), m_withOptions);
        QCOMPARE(stored(m_otherWithOptions), bValues);
        QCOMPARE(series.CurrentValues(), aValues);
    }

    void selectingTheSameSeriesWritesNothing() {
        SeriesOptions series(*m_control, *m_workspace);
        changedValues();
        QCOMPARE(series.SelectSeries(m_withOptions), m_withOptions);
        QVERIFY(!QFile::exists(config()));
    }

    void anIndexTheControlHasNotChangesNothing() {
        SeriesOptions series(*m_control, *m_workspace);
        QCOMPARE(series.SelectSeries(m_control->ListCount()), m_withOptions);
        QCOMPARE(series.SelectSeries(-1), m_withOptions);
        QVERIFY(!QFile::exists(config()));
    }

    void shortAndLongStoredListsAreFitted() {
        SeriesOptions series(*m_control, *m_workspace);
        const QString defaults = series.CurrentValues();
        const QStringList parts = changedValues().split(',');
        series.ApplyValues(defaults);
        // Only the first entry stored: only the first option changes.
        WriteIni("Option", QString::number(m_withOptions), parts.first(), config());
        series.LoadOptions();
        QStringList expected = defaults.split(',');
        expected[0] = parts.first();
        QCOMPARE(series.CurrentValues(), expected.join(','));
        // Too many entries: the extra ones are cut; an empty entry leaves its option alone.
        series.ApplyValues(defaults);
        QStringList longer = parts;
        longer[0] = QString();
        longer << "1"
               << "1"
               << "1";
        WriteIni("Option", QString::number(m_withOptions), longer.join(','), config());
        series.LoadOptions();
        expected = parts;
        expected[0] = defaults.split(',').first();
        QCOMPARE(series.CurrentValues(), expected.join(','));
    }

    void storedSeriesFromSettingsDoesNotOverwriteThem() {
        SeriesOptions series(*m_control, *m_workspace);
        WriteIni("Option", QString::number(m_withOptions), "stays", config());
        m_control->setListIndex(int16_t(m_withOptions));
        changedValues();
        QCOMPARE(series.SelectStoredSeries(m_otherWithOptions), m_otherWithOptions);
        QCOMPARE(stored(m_withOptions), QString("stays"));
        // Values from a configuration file other than the settings file.
        m_control->setListIndex(int16_t(m_withOptions));
        const QString defaults = series.CurrentValues();
        const QString changed = changedValues();
        series.ApplyValues(defaults);
        m_control->setListIndex(int16_t(m_otherWithOptions));
        const QString other = m_dir.filePath("other.mcu");
        WriteIni("Option", QString::number(m_withOptions), changed, other);
        QCOMPARE(series.SelectStoredSeries(m_withOptions, other), m_withOptions);
        QCOMPARE(series.CurrentValues(), changed);
        QCOMPARE(stored(m_otherWithOptions), QString("<none>"));
    }

    void aTaskIsReadButNeverWritten() {
        SeriesOptions series(*m_control, *m_workspace);
        const QString defaults = series.CurrentValues();
        const QString changed = changedValues();
        series.ApplyValues(defaults);
        m_control->setListIndex(int16_t(m_otherWithOptions));
        // A task whose settings hold values for the first series.
        IniDocument settings;
        settings.write("UserSet", "MCU", QString::number(m_otherWithOptions));
        settings.write("Option", QString::number(m_withOptions), changed);
        CodeBuffer code(16, uint8_t(0x55));
        const QString task = m_dir.filePath("job.mcp");
        QVERIFY(WriteTaskFile(task, settings, code, m_dir.path() + "/"));
        const QByteArray packed = [&] {
            QFile f(task);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QVERIFY(m_workspace->OpenCodeFile(task, false).Ok);
        QVERIFY(m_workspace->taskMode());
        const QStringList scratch = QDir(m_dir.path()).entryList({"*.mcup"}, QDir::Files);

        m_control->setListIndex(int16_t(m_otherWithOptions));
        QCOMPARE(series.SelectSeries(m_withOptions), m_withOptions);
        QCOMPARE(series.CurrentValues(), changed);  // read from the task
        changedValues();
        QVERIFY(!series.SaveOptions());
        series.SelectSeries(m_otherWithOptions);
        QFile f(task);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), packed);  // the task is untouched
        QCOMPARE(stored(m_withOptions), QString("<none>"));
        QCOMPARE(stored(m_otherWithOptions), QString("<none>"));
        // Reading the task left no scratch copy behind.
        QCOMPARE(QDir(m_dir.path()).entryList({"*.mcup"}, QDir::Files), scratch);
    }

    void bothListsFollowTheControl() {
        SeriesOptions series(*m_control, *m_workspace);
        QComboBox mainList, optionList;
        SeriesLists lists(series, &mainList, &optionList);
        lists.fill();
        QCOMPARE(mainList.count(), int(m_control->ListCount()));
        QCOMPARE(optionList.count(), int(m_control->ListCount()));
        QCOMPARE(mainList.currentIndex(), m_withOptions);
        QCOMPARE(optionList.currentIndex(), m_withOptions);
        QSignalSpy changed(&lists, &SeriesLists::seriesChanged);
        const QString aValues = changedValues();

        optionList.setCurrentIndex(m_otherWithOptions);  // the option page's list
        QCOMPARE(int(m_control->ListIndex()), m_otherWithOptions);
        QCOMPARE(mainList.currentIndex(), m_otherWithOptions);
        QCOMPARE(stored(m_withOptions), aValues);
        QCOMPARE(changed.count(), 1);

        mainList.setCurrentIndex(m_withOptions);  // and back through the main page's
        QCOMPARE(optionList.currentIndex(), m_withOptions);
        QCOMPARE(series.CurrentValues(), aValues);
        QCOMPARE(changed.count(), 2);

        // The chip reported another series: adopted, and the lists follow.
        series.AdoptDetectedSeries(m_otherWithOptions);
        lists.showCurrent();
        QCOMPARE(mainList.currentIndex(), m_otherWithOptions);
        QCOMPARE(optionList.currentIndex(), m_otherWithOptions);
        QCOMPARE(changed.count(), 2);
    }
};

QTEST_MAIN(SeriesOptionsTest)
#include "seriesoptions_test.moc"
