// Tools > 选项: the settings dialog over this window's settings.
#include <QCoreApplication>

#include "main/mainwindow.h"
#include "settings/settingsdialog.h"
#include "windows/shellstate.h"

namespace korvan {

void MainWindow::openSettings() {
    QCoreApplication::processEvents();
    const SettingsForm form = LoadSettingsForm(Shell().Config, false, {false, false});
    SettingsActions actions;
    actions.ClearCounter = [this] { m_controller->CountDownload(0); };
    actions.AdjustMainWindow = [this](const std::array<int, 3>&) { applySkin(); };
    SettingsDialog dialog(form, std::move(actions), this);
    dialog.exec();
}

}  // namespace korvan
