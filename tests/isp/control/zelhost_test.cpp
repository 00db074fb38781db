// A host that knows only the control's interface headers, doing what KORVAN does: load
// libzel.so at run time, create "ZEL.ZELISP", set the port and the data by dispatch
// identifier, hand over the code when ViewInfo 102 asks for it, and download into zel-sim.
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "translations.h"
#include "zelisp_interface.h"
#include "zelisp_loader.h"

using zelisp::InvokeKind;
namespace dispid = zelisp::dispid;

namespace {

constexpr int kPort = 7;

QByteArray Code(int size) {
    QByteArray code(size, '\0');
    for (int i = 0; i < size; ++i) code[i] = char((i * 13 + 1) & 0xFF);
    return code;
}

}  // namespace

// The host's window: receives the control's events through its signals, by signature.
class HostWindow : public QObject {
    Q_OBJECT

  public:
    zelisp::IZelIsp* control = nullptr;
    QByteArray code;
    QList<int> infos;
    QList<int> errors;
    int lastProgress = -1;
    int dataCalls = 0;

    int call(int32_t id, InvokeKind kind, QVariantList args, QVariant* result = nullptr) {
        QVariant ignored;
        return control->Invoke(id, kind, args, result ? *result : ignored);
    }

  public slots:
    void onViewInfo(short& index, QString& pInfo) {
        infos << index;
        Q_UNUSED(pInfo);
        if (index != 102) return;
        // The code, then the serial-number bytes that an automatic increment would add.
        QVariant stored;
        dataCalls += call(dispid::SetData, InvokeKind::Method, {code.left(300)}, &stored) == 0;
        dataCalls += call(dispid::AppendData, InvokeKind::Method, {code.mid(300), qint32(300)},
                          &stored) == 0 &&
                     stored.toInt() == -1;
    }
    void onError(short& index, QString&) { errors << index; }
    void onProgress(short& Parent) { lastProgress = Parent; }
    void onInterrupt(short&, QString&, short& bResume) { bResume = zelisp::kFalse; }
};

class ZelHostTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        qputenv("ZEL_DB", m_dir.filePath(QStringLiteral("zel.db")).toLocal8Bit());
        qputenv("KORVAN_HOME", m_dir.path().toLocal8Bit());
    }

    void downloadsThroughDispatchIdentifiersOnly() {
        zelisp::ZelControlHandle zel = zelisp::LoadZelControl(QStringLiteral(ZEL_LIBRARY_PATH));
        QVERIFY2(zel, qPrintable(zel.detail));
        QCOMPARE(zel.error, int(zelisp::kOk));
        std::unique_ptr<QObject> owner(zel.object);
        zel.control->ReadProperties({});

        // The chip, published where the host's port table says COM7 is.
        const QString link = m_dir.filePath(QStringLiteral("chip"));
        const QString image = m_dir.filePath(QStringLiteral("image.bin"));
        QFile config(m_dir.filePath(QStringLiteral("Config.ini")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral("[Ports]\nCOM%1=%2\n").arg(kPort).arg(link).toUtf8());
        config.close();
        QProcess sim;
        sim.start(QStringLiteral(ZEL_SIM_PROGRAM),
                  {"--model", "D103", "--db", m_dir.filePath(QStringLiteral("zel.db")), "--link",
                   link, "--image-out", image, "--once", "--boot-delay", "20", "--erase-ms", "0"});
        QVERIFY(sim.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(link), 60000);

        HostWindow host;
        host.control = zel.control;
        host.code = Code(512);
        QWidget* widget = zel.control->widget();
        QVERIFY(QObject::connect(widget, zelisp::kSignalViewInfo, &host,
                                 SLOT(onViewInfo(short&, QString&)), Qt::DirectConnection));
        QVERIFY(QObject::connect(widget, zelisp::kSignalError, &host,
                                 SLOT(onError(short&, QString&)), Qt::DirectConnection));
        QVERIFY(QObject::connect(widget, zelisp::kSignalProgress, &host, SLOT(onProgress(short&)),
                                 Qt::DirectConnection));
        QVERIFY(QObject::connect(widget, zelisp::kSignalInterrupt, &host,
                                 SLOT(onInterrupt(short&, QString&, short&)),
                                 Qt::DirectConnection));

        QVariant count;
        QCOMPARE(host.call(dispid::ListCount, InvokeKind::PropertyGet, {}, &count), 0);
        QCOMPARE(count.toInt(), 8);
        QCOMPARE(host.call(dispid::ListIndex, InvokeKind::PropertyPut, {7}), 0);  // ZEL51H
        QCOMPARE(host.call(dispid::CommPort, InvokeKind::PropertyPut, {kPort}), 0);
        QCOMPARE(host.call(dispid::Start, InvokeKind::Method, {2}), 0);
        QVariant busy;
        QCOMPARE(host.call(dispid::Buzy, InvokeKind::PropertyGet, {}, &busy), 0);
        QCOMPARE(busy.toInt(), -1);

        QTRY_VERIFY_WITH_TIMEOUT(host.infos.contains(1001) || host.infos.contains(1003), 60000);
        QVERIFY2(host.infos.contains(1001), qPrintable(QString::number(host.infos.last())));
        QVERIFY(host.errors.isEmpty());
        QCOMPARE(host.dataCalls, 2);
        QCOMPARE(host.lastProgress, 100);
        QCOMPARE(host.infos.first(), 1000);
        QVERIFY(host.infos.contains(105));  // the option step of this series

        QVariant success;
        QCOMPARE(host.call(dispid::success, InvokeKind::PropertyGet, {}, &success), 0);
        QVariant info;
        QCOMPARE(host.call(dispid::McuInfo, InvokeKind::PropertyGet, {}, &info), 0);
        const auto record = info.value<std::shared_ptr<zelisp::IZelInfo>>();
        QVERIFY(record);
        QVariantList none;
        QVariant model;
        QCOMPARE(record->Invoke(zelisp::infodispid::model, InvokeKind::PropertyGet, none, model),
                 0);
        QCOMPARE(model.toString(), QStringLiteral("ZELH64AD"));

        QVERIFY(sim.state() == QProcess::NotRunning || sim.waitForFinished(30000));
        QFile flash(image);
        QVERIFY(flash.open(QIODevice::ReadOnly));
        QCOMPARE(flash.read(host.code.size()), host.code);
    }

    // The host switches languages while the control is shown: the option rows follow at once,
    // and switching back restores the database's Chinese rows exactly.
    void optionRowsFollowTheHostsLanguage() {
        zelisp::ZelControlHandle zel = zelisp::LoadZelControl(QStringLiteral(ZEL_LIBRARY_PATH));
        QVERIFY2(zel, qPrintable(zel.detail));
        std::unique_ptr<QObject> owner(zel.object);
        zel.control->ReadProperties({});
        HostWindow host;
        host.control = zel.control;
        QCOMPARE(host.call(dispid::ListIndex, InvokeKind::PropertyPut, {7}), 0);  // ZEL51H
        QWidget* widget = zel.control->widget();
        const auto captions = [widget] {
            QStringList texts;
            for (const QLabel* label : widget->findChildren<QLabel*>())
                if (label->isVisibleTo(widget)) texts << label->text();
            return texts;
        };
        const QString chinese = QStringLiteral("1、MCU 时钟源：     ");
        QVERIFY2(captions().contains(chinese), qPrintable(captions().join('|')));

        const struct {
            korvan::i18n::Language language;
            QString present, absent;
        } steps[] = {
            {korvan::i18n::Language::English, QStringLiteral("1. Clock source:"), chinese},
            {korvan::i18n::Language::Chinese, chinese, QStringLiteral("1. Clock source:")},
        };
        for (const auto& step : steps) {
            QVERIFY(korvan::i18n::installTranslations(step.language));
            QTRY_VERIFY2_WITH_TIMEOUT(captions().contains(step.present),
                                      qPrintable(captions().join('|')), 30000);
            QVERIFY(!captions().contains(step.absent));
        }
    }

    void missingOrForeignLibraryIsErrorCode339_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("progId");
        QTest::newRow("missing file")
            << m_dir.filePath(QStringLiteral("lib/libzel.so")) << QByteArray(zelisp::kProgId);
        QTest::newRow("not a library")
            << QStringLiteral(ZEL_SIM_PROGRAM) << QByteArray(zelisp::kProgId);
        QTest::newRow("no entry point")
            << QStringLiteral("libz.so.1") << QByteArray(zelisp::kProgId);
        QTest::newRow("unknown program id")
            << QStringLiteral(ZEL_LIBRARY_PATH) << QByteArray("ZEL.Other");
    }

    void missingOrForeignLibraryIsErrorCode339() {
        QFETCH(QString, path);
        QFETCH(QByteArray, progId);
        const zelisp::ZelControlHandle zel = zelisp::LoadZelControl(path, progId.constData());
        QVERIFY(!zel);
        QVERIFY(!zel.object);
        QCOMPARE(zel.error, int(zelisp::kCannotLoad));
        QVERIFY(!zel.detail.isEmpty());
    }

    void libraryNamedByTheEnvironmentOnly() {
        qputenv("ZEL_LIBRARY", m_dir.filePath(QStringLiteral("missing/libzel.so")).toLocal8Bit());
        const zelisp::ZelControlHandle missing = zelisp::LoadZelControl();
        qputenv("ZEL_LIBRARY", QByteArray(ZEL_LIBRARY_PATH));
        zelisp::ZelControlHandle found = zelisp::LoadZelControl();
        qunsetenv("ZEL_LIBRARY");
        QCOMPARE(missing.error, int(zelisp::kCannotLoad));
        QVERIFY2(found, qPrintable(found.detail));
        delete found.object;
    }
};

QTEST_MAIN(ZelHostTest)
#include "zelhost_test.moc"
