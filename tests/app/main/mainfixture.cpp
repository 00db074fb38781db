#include "mainfixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QMenu>
#include <QtTest>

#include "windows/shellstate.h"

namespace korvan::testing {

namespace {

QTemporaryDir& SharedHome() {
    static QTemporaryDir home;
    return home;
}

// Everything but the database goes, so that each fixture starts as a first start.
void EmptyHome(const QString& folder) {
    QDir dir(folder);
    for (const QFileInfo& entry :
         dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (entry.fileName() == QStringLiteral("zel.db")) continue;
        if (entry.isDir())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
}

}  // namespace

MainFixture::MainFixture() : m_dir(SharedHome()) {
    EmptyHome(m_dir.path());
    qputenv("ZEL_DB", m_dir.filePath(QStringLiteral("zel.db")).toLocal8Bit());
    qputenv("KORVAN_HOME", m_dir.path().toLocal8Bit());
    qputenv("KORVAN_REGISTRY", m_dir.filePath(QStringLiteral("registry.ini")).toLocal8Bit());
    // Messages are answered with OK at once and said on standard error.
    qputenv("KORVAN_MESSAGE_ANSWER", "1");
    SetCurrentAppPaths(AppPaths::detect());
    m_zel = zelisp::LoadZelControl(QStringLiteral(ZEL_LIBRARY_PATH));
    m_owner.reset(m_zel.object);
    if (m_zel) m_zel.control->ReadProperties({});
    writeConfig();
}

MainFixture::~MainFixture() {
    closeWindow();
    if (m_sim.state() != QProcess::NotRunning) {
        // Asked first: a killed zel-sim would leave its program's simulator spinning.
        m_sim.terminate();
        if (!m_sim.waitForFinished(10000)) {
            m_sim.kill();
            m_sim.waitForFinished(5000);
        }
    }
}

QString MainFixture::writeFile(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(bytes);
    return file.fileName();
}

void MainFixture::writeConfig(const QString& extra) const {
    const QString chip = path(QStringLiteral("chip"));
    writeFile(QStringLiteral("Config.ini"),
              QStringLiteral("[Config]\nComPort=%1\nErrTim=10\n%2\n[Ports]\nCOM%1=%3\n"
                             "COM%4=%3\nCOM%5=%6\n")
                  .arg(kSimPort)
                  .arg(extra, chip)
                  .arg(kChipAgainPort)
                  .arg(kNowherePort)
                  .arg(path(QStringLiteral("nothing")))
                  .toUtf8());
}

MainWindow* MainFixture::openWindow(const CommandLine& commandLine) {
    closeWindow();
    Shell().CommandSwitch = commandLine.Switch;
    Shell().MainShown = !commandLine.unattended();
    m_window = std::make_unique<MainWindow>(*m_zel.control, CurrentAppPaths(), commandLine);
    if (!m_window->load()) return nullptr;
    return m_window.get();
}

MainWindow* MainFixture::shownWindow(const CommandLine& commandLine) {
    if (!valid()) return nullptr;
    MainWindow* window = openWindow(commandLine);
    if (!window) return nullptr;
    window->show();
    return QTest::qWaitForWindowExposed(window) ? window : nullptr;
}

void MainFixture::closeWindow() {
    m_window.reset();
}

bool MainFixture::startChip(const QStringList& extra) {
    return startSim(QStringList{"--image-out", path(QStringLiteral("image.bin")), "--once"} +
                    extra);
}

bool MainFixture::startChipForSeveral() {
    return startSim({"--image-out", path(QStringLiteral("image.bin")), "--reboot-ms", "100"});
}

bool MainFixture::startRunningChip() {
    return startSim({"--run", "--reboot-ms", "never"});
}

bool MainFixture::startSim(const QStringList& args) {
    m_sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_sim.start(QStringLiteral(ZEL_SIM_PROGRAM),
                QStringList{"--model", "D103", "--db", path(QStringLiteral("zel.db")), "--link",
                            path(QStringLiteral("chip")), "--boot-delay", "20", "--erase-ms", "0"} +
                    args);
    return m_sim.waitForStarted() && waitForChip();
}

bool MainFixture::waitForChip() {
    const QString link = path(QStringLiteral("chip"));
    QDeadlineTimer deadline(60000);  // returns as soon as the chip is there
    while (!QFile::exists(link) && !deadline.hasExpired()) QTest::qWait(20);
    return QFile::exists(link);
}

bool MainFixture::waitForChipExit() {
    return m_sim.state() == QProcess::NotRunning || m_sim.waitForFinished(30000);
}

QByteArray MainFixture::chipImage() const {
    QFile file(path(QStringLiteral("image.bin")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QAction* Entry(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions())
        if (action->text() == text) return action;
    return nullptr;
}

QStringList Captions(QMenu* menu) {
    QStringList captions;
    for (QAction* action : menu->actions())
        if (!action->isSeparator()) captions << action->text();
    return captions;
}

QStringList LogTexts(const QListView* view) {
    QStringList texts;
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, 0).data().toString();
    return texts;
}

QByteArray SampleCode(int size) {
    QByteArray code(size, '\0');
    for (int i = 0; i < size; ++i) code[i] = char((i * 13 + 5) & 0xFF);
    return code;
}

QByteArray IntelHex(const QByteArray& bytes) {
    QByteArray hex;
    for (int address = 0; address < bytes.size(); address += 16) {
        const QByteArray chunk = bytes.mid(address, 16);
        QByteArray record;
        record.append(char(chunk.size()));
        record.append(char(address >> 8));
        record.append(char(address & 0xFF));
        record.append('\0');
        record.append(chunk);
        int sum = 0;
        for (char c : record) sum += uint8_t(c);
        record.append(char((-sum) & 0xFF));
        hex += ':' + record.toHex().toUpper() + '\n';
    }
    return hex + ":00000001FF\n";
}

}  // namespace korvan::testing
