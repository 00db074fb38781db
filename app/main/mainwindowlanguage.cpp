// View > English / 中文: the language kept in Config.ini, installed for the whole program at
// once, and this window's captions again in it (with Lang.ini's captions over them).
#include <QActionGroup>
#include <QEvent>
#include <QMenu>

#include "core/programconfig.h"
#include "main/datapage.h"
#include "main/incrementpage.h"
#include "main/maintexts.h"
#include "main/mainwindow.h"
#include "main/programlanguage.h"
#include "main/terminalpage.h"
#include "windows/serieslists.h"
#include "windows/shellstate.h"

namespace korvan {

void MainWindow::buildLanguageMenu(QMenu* view) {
    view->addSeparator();
    auto* group = new QActionGroup(this);
    // Each language is named in itself, so that a user who cannot read the other finds it.
    const std::pair<QString, i18n::Language> choices[] = {
        {QStringLiteral("English"), i18n::Language::English},
        {QStringLiteral("中文"), i18n::Language::Chinese}};
    for (const auto& [name, language] : choices) {
        QAction* action =
            view->addAction(name, this, [this, language = language] { chooseLanguage(language); });
        action->setCheckable(true);
        action->setData(i18n::languageCode(language));
        group->addAction(action);
        m_languageActions << action;
    }
    tickLanguage();
    connect(&Shell().Config, &SettingsAnnouncer::changed, this, &MainWindow::followLanguage);
}

void MainWindow::chooseLanguage(i18n::Language language) {
    if (language == i18n::Language::English && i18n::embeddedCatalogues().isEmpty()) {
        // Said in both languages: the English one is what is missing.
        say(UserMessage{maintext::kNoEnglish, 11, {}});
        tickLanguage();
        return;
    }
    Shell().Config.update([language](ProgramConfig& c) { c.Language = language; });
    SaveLanguage(m_workspace.paths(), language);
}

void MainWindow::followLanguage() {
    const i18n::Language wanted = Shell().Config.value().Language;
    if (wanted != i18n::currentLanguage()) ApplyProgramLanguage(wanted);
    tickLanguage();
}

void MainWindow::tickLanguage() {
    const QString code = i18n::languageCode(i18n::currentLanguage());
    for (QAction* action : m_languageActions) action->setChecked(action->data() == code);
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) retranslate();
}

void MainWindow::retranslate() {
    m_captions.retranslate();
    m_dataPage->retranslate();
    m_terminalPage->retranslate();
    m_incrementPage->retranslate();
    // Lang.ini's captions win over both languages.
    translate();
    showPanels();
    m_seriesLists->fill();
    showCaption();
    rebuildFileHistory();
    rebuildCommandHistory();
    tickLanguage();
}

}  // namespace korvan
