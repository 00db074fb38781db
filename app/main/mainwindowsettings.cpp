// Tools > 选项: the settings dialog over this window's settings, the IDE's tool entry and the
// code-file associations.
#include <QCoreApplication>

#include "core/apppaths.h"
#include "desktop/fileassociation.h"
#include "desktop/idetool.h"
#include "main/maintexts.h"
#include "main/mainwindow.h"
#include "settings/settingsdialog.h"
#include "settings/settingstexts.h"
#include "windows/shellstate.h"

namespace korvan {

void MainWindow::openSettings() {
    QCoreApplication::processEvents();
    const QString program = QCoreApplication::applicationFilePath();
    auto registry = std::make_shared<RegistryStore>(CurrentAppPaths().RegistryFile);
    auto types = std::make_shared<desktop::FileAssociations>(*registry, program);
    std::vector<bool> associated;
    for (const QString& type : settingstext::kFileTypes)
        associated.push_back(types->IsAssociated(type));
    const SettingsForm form = LoadSettingsForm(
        Shell().Config.value(), desktop::IdeToolInstalled(*registry, program), associated);

    SettingsActions actions;
    actions.ClearCounter = [this] { m_controller->CountDownload(0); };
    actions.AdjustMainWindow = [this](const std::array<int, 3>&) { applySkin(); };
    actions.SetIdeTool = [registry, program](bool on) {
        desktop::SetIdeTool(*registry, on, program, maintext::kTitle);
    };
    // The code-file types take the icons after KORVAN's own two.
    actions.SetAssociation = [types](int row, bool on) {
        types->RegisterFileType(settingstext::kFileTypes[row].toLower(),
                                settingstext::kFileTypeDescriptions[row], on, row + 2);
    };
    SettingsDialog dialog(form, std::move(actions), this);
    dialog.exec();
}

}  // namespace korvan
