// KORVAN's main window: a skinned frame with the six menus, the code file and series boxes, the
// download and check buttons, the first tab strip with its five pages and the status bar's
// three panels. It is a view over the job controller (which holds every rule of a job) and
// the code workspace (which holds the file flows): it forwards the user's commands, shows what
// they report and asks the user what they ask.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

#include "core/codeworkspace.h"
#include "desktop/associatedprogram.h"
#include "jobs/controljobdriver.h"
#include "jobs/jobcontroller.h"
#include "views/commandline.h"
#include "windows/languagecaptions.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QMenuBar;
class QFileSystemWatcher;
class QTimer;

namespace zelisp {
class IZelIsp;
}

namespace kui {
class Back;
class Cmd;
class Frame;
class Progress;
class Skin;
class VsMenu;
class vTab;
}  // namespace kui

namespace korvan::record {
class DatabaseSerials;
class Recorder;
}  // namespace korvan::record

namespace korvan {
class DataPage;
class FileFlows;
class IncrementPage;
class TerminalPage;

class ChipTreeView;
class MiniWindow;
class SeriesLists;
class SeriesOptions;

class MainWindow : public QWidget, private jobs::JobView {
    Q_OBJECT

  public:
    // `control` (the ZEL control) must outlive the window; its widget is hosted on the option
    // page. `commandLine` decides the start mode and what is saved at exit.
    MainWindow(zelisp::IZelIsp& control, const AppPaths& paths, const CommandLine& commandLine,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load handler: settings, lists, skin and language, then the command-line file, the
    // last file or the default settings. False when the command-line file cannot be opened:
    // the user has been told and the window is to be unloaded.
    bool load();
    // The start sequence's last step for "/u" and "/d".
    void startCommandLineDownload();
    // Shows the window for the user (start-up and the mini window's OK).
    void showForUser();
    // Ends the program with `code` through the unload handler.
    void quitWith(int code);
    int exitCode() const { return m_exitCode; }
    void setMiniWindow(MiniWindow* mini);

    // What tests and the start sequence reach.
    jobs::JobController& controller() { return *m_controller; }
    CodeWorkspace& workspace() { return m_workspace; }
    DataPage* dataPage() const { return m_dataPage; }
    TerminalPage* terminalPage() const { return m_terminalPage; }
    IncrementPage* incrementPage() const { return m_incrementPage; }
    kui::Skin* skin() const { return m_skin; }
    kui::vTab* pageTabs() const { return m_tab1; }
    kui::vTab* optionTabs() const { return m_tab2; }
    kui::Cmd* downButton(int index) const { return m_cmdDown.at(size_t(index)); }
    kui::Cmd* checkButton(int index) const { return m_cmdCheck.at(size_t(index - 1)); }
    kui::Cmd* openButton() const { return m_cmdOpen; }
    kui::Cmd* presetButton() const { return m_cmdUset; }
    kui::Cmd* historyButton() const { return m_cmdCode; }
    kui::Frame* optionFrame() const { return m_optionFrame; }
    QMenu* commandHistoryMenu() const { return m_commandHistory; }
    QListView* logView() const { return m_lsvLog; }
    QLineEdit* fileBox() const { return m_txtFile; }
    QLineEdit* sumBox() const { return m_txtXor; }
    QCheckBox* checkBox(int index) const { return m_check.at(size_t(index - 1)); }
    QMenuBar* menuBar() const { return m_menuBar; }
    QAction* fileAction(const QString& caption) const;
    QMenu* fileHistoryMenu() const { return m_fileHistory; }
    QMenu* skinMenu() const { return m_skinMenu; }
    ChipTreeView* chipTree() const { return m_trvSet; }
    QComboBox* seriesList(int page) const { return m_cboMcu[page]; }
    // The file commands and the boxes beside the file name.
    FileFlows& files() { return *m_files; }
    // Opens a file as the open dialog would with this name.
    void openFromDialog(const QString& path);
    void selectPage(int index);
    void selectOptionPage(int index);
    // A built-in skin (0, 1) or, from 2 on, the skin engine's skin (index - 2).
    void chooseSkin(int index);
    // The port menu's COM entries: tested, then taken for downloads and kept in Config.ini.
    void selectPort(int number);
    QList<QAction*> portActions() const { return m_portActions; }
    // View > "English" and "中文".
    QList<QAction*> languageActions() const { return m_languageActions; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Composition (mainwindowbuild.cpp).
    void buildFrame();
    void buildTop(QWidget* client);
    void buildButtons(QWidget* client);
    void buildTabs(QWidget* client);
    QWidget* buildLogPage();
    QWidget* buildCustomPage();
    QWidget* buildOptionPage();
    void placePages(kui::vTab* tabs, const std::vector<QWidget*>& pages);
    void limitSize(int& maxLeft, int& maxTop, int& maxWidth, int& maxHeight, int& minWidth,
                   int& minHeight);

    // Menus (mainwindowmenus.cpp).
    void buildMenus();
    void buildFileMenu();
    void buildSkinMenu(QMenu* tools);
    void rebuildFileHistory();
    void rebuildCommandHistory();
    // The language (mainwindowlanguage.cpp).
    void buildLanguageMenu(QMenu* view);
    void chooseLanguage(i18n::Language language);
    void followLanguage();
    void tickLanguage();
    void retranslate();
    // The skin's caption and the window title: the open file or task, in the language now.
    void showCaption();

    // Ports (mainwindowports.cpp).
    void buildPortMenu(QMenu* menu);
    bool showComPort(int number);
    // The menu as the devices are now: probing opens each port, listing only looks.
    void refreshPorts();
    void listPorts();
    // An adapter plugged in or pulled out: the entries again, and the status bar's word on the
    // selected one (mainwindowports.cpp).
    void portsChanged();
    void watchPorts();
    void popPortMenu();

    // The file commands' window side (mainwindowfiles.cpp).
    void bindFileFlows();
    void showTaskMode();
    void say(const UserMessage& message);
    bool jobRunning() const;

    // The user settings' owner and this window's controls (mainwindowbinding.cpp).
    void bindSettings();
    void showSettings();
    void editSettings(const std::function<void(UserSettings&)>& change);
    void storeOptionValues();
    // What the next job runs with: the program configuration's owner and the start mode now.
    jobs::JobSettings jobSettings() const;

    void translate();
    // The look of this process with the main window's own colour copies.
    void applySkin();
    void openSettings();

    // The reset sequence of the custom download page (mainwindowreset.cpp).
    QComboBox* buildResetSequenceBox(QWidget* page);
    void showResetSequence();
    void chooseResetSequence();

    // Status bar.
    void showPanels();
    void tickClock();

    // The job view (mainwindowjobs.cpp).
    void showMessage(const UserMessage& message, bool logged,
                     std::function<void(int)> answer) override;
    void busyChanged(jobs::BusyState state) override;
    void progress(int percent) override;
    void progressBarShown(bool shown) override;
    void playPrompt(int number) override;
    void counterChanged(const QString& panelText) override;
    void chipTreeCleared() override;
    void chipWaitLine(const QString& text) override;
    void chipIdentified(const jobs::ChipRecord& chip) override;
    void seriesAdopted(int index, const QString& info) override;
    void selectLogTab() override;
    void selectTerminalTab() override;
    void terminalClose() override;
    void terminalOpen() override;
    void terminalSend() override;
    bool terminalIsOpen() const override;
    void miniShow() override;
    void miniText(const QString& text) override;
    void miniClose() override;
    void closeRequested() override;
    void flashWindow() override;
    void runFinished(const jobs::RunResult& result) override;
    void endIfUnattendedFailed();
    void miniCancel();
    // The production record: (re)started from the program configuration whenever its
    // [Production] values change; the Tools menu shows it.
    void startRecording();
    // With a database configured, numbered downloads take their numbers from its pools.
    void startSerials();
    void openProductionRecord();

    zelisp::IZelIsp& m_control;
    CommandLine m_commandLine;
    CodeWorkspace m_workspace;
    jobs::SystemJobClock m_clock;
    jobs::ControlJobDriver m_driver;
    jobs::PortAccess m_port;
    jobs::ProcessLauncher m_launcher{desktop::AssociatedProgram};
    jobs::ConfigDownloadCounter m_counter;
    std::unique_ptr<record::Recorder> m_recorder;
    std::unique_ptr<record::DatabaseSerials> m_serials;
    std::unique_ptr<jobs::JobController> m_controller;
    std::unique_ptr<SeriesOptions> m_series;

    kui::Skin* m_skin = nullptr;
    kui::VsMenu* m_vsMenu = nullptr;
    QMenuBar* m_menuBar = nullptr;
    kui::Back* m_back = nullptr;
    QLineEdit* m_txtFile = nullptr;
    kui::Cmd* m_cmdOpen = nullptr;
    QComboBox* m_cboMcu[2] = {nullptr, nullptr};
    SeriesLists* m_seriesLists = nullptr;
    QLineEdit* m_txtXor = nullptr;
    QLineEdit* m_txtSpa = nullptr;
    QLineEdit* m_txtSz = nullptr;
    QLineEdit* m_txtSize = nullptr;
    std::array<kui::Cmd*, 5> m_cmdDown{};
    std::array<kui::Cmd*, 2> m_cmdCheck{};
    kui::vTab* m_tab1 = nullptr;
    kui::vTab* m_tab2 = nullptr;
    std::vector<QWidget*> m_pages1;
    std::vector<QWidget*> m_pages2;
    QListView* m_lsvLog = nullptr;
    DataPage* m_dataPage = nullptr;
    FileFlows* m_files = nullptr;
    TerminalPage* m_terminalPage = nullptr;
    kui::Progress* m_progress = nullptr;
    // Check1 soft start, Check2 refresh before download, Check3 follow the chip's series,
    // Check4 file watcher.
    std::array<QCheckBox*, 4> m_check{};
    QLineEdit* m_txtTest = nullptr;
    QComboBox* m_cboResetSeq = nullptr;  // the reset sequence, kept in [Config] ResetSeq
    kui::Cmd* m_cmdTest = nullptr;
    kui::Cmd* m_cmdUset = nullptr;  // pops the port-settings presets up
    kui::Cmd* m_cmdCode = nullptr;  // pops the command history up
    QCheckBox* m_chkExe = nullptr;
    std::array<QLineEdit*, 2> m_txtExe{};
    QComboBox* m_combo3 = nullptr;
    std::array<kui::Cmd*, 3> m_cmdRun{};
    IncrementPage* m_incrementPage = nullptr;
    ChipTreeView* m_trvSet = nullptr;
    kui::Frame* m_optionFrame = nullptr;

    QMenu* m_fileMenu = nullptr;
    QMenu* m_fileHistory = nullptr;
    QMenu* m_commandHistory = nullptr;
    QMenu* m_skinMenu = nullptr;
    QMenu* m_portMenu = nullptr;
    QMenu* m_presetMenu = nullptr;
    QAction* m_refreshSeparator = nullptr;
    QAction* m_refreshPorts = nullptr;
    QList<QAction*> m_taskHidden;  // visible only outside task mode
    QAction* m_openDefault = nullptr;
    QAction* m_saveDefault = nullptr;
    QAction* m_topMost = nullptr;
    QList<QAction*> m_skinActions;
    QList<QAction*> m_portActions;
    QList<QAction*> m_languageActions;  // View > English, 中文
    // The captions that follow the language.
    LanguageCaptions m_captions;
    QTimer* m_clockTimer = nullptr;
    QFileSystemWatcher* m_portWatcher = nullptr;
    QTimer* m_portSettle = nullptr;
    int m_wantedPort = 0;     // the port the user chose, selected again when its adapter returns
    bool m_portGone = false;  // the status bar says that the selected adapter is gone

    QPointer<MiniWindow> m_mini;
    std::unique_ptr<MiniWindow> m_watcherMini;  // made for the file watcher's downloads
    bool m_binding = false;  // settings are being shown: the controls' signals are ours
    bool m_unloaded = false;
    bool m_unattendedFailed = false;
    int m_exitCode = 0;
};

}  // namespace korvan
