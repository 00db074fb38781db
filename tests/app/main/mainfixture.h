// What the main window's tests share: a scratch settings folder (KORVAN_HOME, ZEL_DB), the
// ZEL control loaded from libzel.so, a main window over it, and zel-sim as the configured port.
// The folder is one for the whole test program, emptied for each fixture: a process reads its
// port map once.
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "main/mainwindow.h"
#include "zelisp_loader.h"

class QAction;
class QListView;
class QMenu;

namespace korvan::testing {

inline constexpr int kSimPort = 7;

class MainFixture {
  public:
    MainFixture();
    ~MainFixture();

    bool valid() const { return m_dir.isValid() && bool(m_zel); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // The ports besides the chip's: COM2 is the chip's terminal as well, COM3 leads nowhere.
    static constexpr int kChipAgainPort = 2;
    static constexpr int kNowherePort = 3;
    QString writeFile(const QString& name, const QByteArray& bytes) const;
    // Config.ini with the ports mapped and the waiting time; `extra` lines of [Config].
    void writeConfig(const QString& extra = {}) const;
    // A new main window, loaded as the start sequence loads it; nullptr when loading ends it.
    MainWindow* openWindow(const CommandLine& commandLine = {});
    // The same, shown and exposed; nullptr as well when the fixture is not valid.
    MainWindow* shownWindow(const CommandLine& commandLine = {});
    void closeWindow();

    // zel-sim as the chip on the configured port; its flash goes to image.bin.
    bool startChip(const QStringList& extra = {});
    // zel-sim that takes one download after another, as a production line's chips come; its
    // flash goes to image.bin after each.
    bool startChipForSeveral();
    // zel-sim running the downloaded program in s51 until the fixture ends.
    bool startRunningChip();
    bool waitForChip();
    // zel-sim with --once ends after the program's run and then writes its flash.
    bool waitForChipExit();
    QByteArray chipImage() const;

  private:
    bool startSim(const QStringList& args);

    QTemporaryDir& m_dir;
    zelisp::ZelControlHandle m_zel;
    std::unique_ptr<QObject> m_owner;
    std::unique_ptr<MainWindow> m_window;
    QProcess m_sim;
};

// The entry of `menu` with this caption, or nullptr.
QAction* Entry(QMenu* menu, const QString& text);
// The captions of `menu`'s entries, separators left out.
QStringList Captions(QMenu* menu);
// The log's lines, top first.
QStringList LogTexts(const QListView* view);

// Deterministic bytes that look like code, and the same as Intel HEX.
QByteArray SampleCode(int size);
QByteArray IntelHex(const QByteArray& bytes);

}  // namespace korvan::testing
