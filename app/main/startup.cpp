#include "main/startup.h"

#include <malloc.h>

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <memory>

#include "core/apppaths.h"
#include "core/codefile.h"
#include "core/programconfig.h"
#include "core/registrystore.h"
#include "desktop/owntypes.h"
#include "main/maintexts.h"
#include "main/mainwindow.h"
#include "main/messagegate.h"
#include "main/programlanguage.h"
#include "ui/core/skinobject.h"
#include "views/commandline.h"
#include "windows/aboutwindow.h"
#include "windows/miniwindow.h"
#include "windows/shellstate.h"
#include "windows/windowplacement.h"
#include "zelisp_loader.h"

namespace korvan {

namespace {

void ApplyStoredSkinChoice(kui::SkinEngine* engine) {
    ShellState& shell = Shell();
    const int stored = ReadAppRegistry(QStringLiteral("UCSK"), {}, QStringLiteral("1")).toInt();
    if (engine && engine->SkinCount() > 0)
        shell.SkinIndex = stored;
    else
        shell.SkinIndex = -1;
}

// The own file types and the program itself, as every start records them.
void RecordProgram() {
    desktop::RegisterOwnFileTypes(RegistryStore(CurrentAppPaths().RegistryFile),
                                  QCoreApplication::applicationFilePath());
    WriteAppRegistry(QStringLiteral("Ver"), Shell().AppVersion);
    WriteAppRegistry(QStringLiteral("EXE"), QCoreApplication::applicationFilePath());
}

}  // namespace

int RunKorvan(const QStringList& arguments) {
    QApplication::setQuitOnLastWindowClosed(false);
    const AppPaths paths = AppPaths::detect();
    SetCurrentAppPaths(paths);
    const CommandLine commandLine = ParseStartArguments(arguments.mid(1));
    ShellState& shell = Shell();
    shell.CommandSwitch = commandLine.Switch;
    shell.AppVersion =
        AppVersionText(KORVAN_VERSION_MAJOR, KORVAN_VERSION_MINOR, KORVAN_VERSION_PATCH);

    // No engine library means no skins to offer, never a failure.
    auto engine = std::make_unique<kui::SkinEngine>(kui::CreateSkinObject());
    shell.SkinEngine = engine->isValid() ? engine.get() : nullptr;
    ApplyStoredSkinChoice(shell.SkinEngine);
    shell.Config.set(LoadConfig(paths));
    // Before the first window, so that every text is in the chosen language from the start.
    ApplyProgramLanguage(shell.Config.value().Language);
    shell.TopMost = shell.Config.value().SetTop;

    if (!commandLine.File.isEmpty() && !FileUsable(commandLine.File)) {
        AskUser(maintext::kCommandFileMissing + QStringLiteral("\r\n") + commandLine.File, 12,
                msg::kFileErrorTitle);
        return kExitFileMissing;
    }

    std::unique_ptr<MiniWindow> mini;
    std::unique_ptr<AboutWindow> splash;
    if (commandLine.unattended()) {
        mini = std::make_unique<MiniWindow>();
        mini->show();
    } else {
        splash = std::make_unique<AboutWindow>();
        splash->show();
    }
    QCoreApplication::processEvents();

    zelisp::ZelControlHandle zel = zelisp::LoadZelControl();
    if (!zel) {
        if (splash) splash->close();
        if (mini) mini->hide();
        std::fputs(qPrintable(zel.detail + QLatin1Char('\n')), stderr);
        AskUser(maintext::kControlError, 11, QString());
        return kExitControlError;
    }
    std::unique_ptr<QObject> control(zel.object);
    // The control brings its own catalogue.
    i18n::installCurrentLanguage();
    zel.control->ReadProperties({});

    auto window = std::make_unique<MainWindow>(*zel.control, paths, commandLine);
    window->setMiniWindow(mini.get());
    if (!window->load()) {
        if (splash) splash->close();
        // Unloading the main window ends the program through its unload handler.
        window->close();
        return kExitUnsupportedFile;
    }
    if (!commandLine.unattended()) {
        shell.MainShown = true;
        CenterOver(window.get(), nullptr);
        window->show();
        // The main window owns the start-up screen, so the screen stays above it until faded.
        if (splash && splash->windowHandle() && window->windowHandle())
            splash->windowHandle()->setTransientParent(window->windowHandle());
    }
    QCoreApplication::processEvents();
    RecordProgram();
    if (!commandLine.unattended()) {
        QCoreApplication::processEvents();
        if (splash) splash->fadeOut();
        splash.reset();
        if (shell.TopMost) SetTopMost(window.get(), true);
    }
    if (commandLine.downloadsAtStart()) window->startCommandLineDownload();
    // What loading took and freed goes back to the system before the program waits for input.
    ::malloc_trim(0);
    // For the start-up benchmark: KORVAN_QUIT_WHEN_IDLE ends the program as soon as the main
    // window is up and nothing is left to do, after saying so on standard error.
    if (qEnvironmentVariableIsSet("KORVAN_QUIT_WHEN_IDLE"))
        QTimer::singleShot(0, window.get(), [&window] {
            std::fputs("KORVAN idle\n", stderr);
            std::fflush(stderr);
            window->quitWith(0);
        });
    const int code = QApplication::exec();
    return code != 0 ? code : window->exitCode();
}

}  // namespace korvan
