// Pictures of the settings dialog's four pages with both built-in skins, in Chinese and in
// English, saved as PNG files into the build tree for a person to look at.
#include <QDir>
#include <QtTest>

#include "settings/settingsdialog.h"
#include "translations.h"
#include "ui/controls/vtab.h"
#include "windows/shellstate.h"

using namespace korvan;

class SettingsScreenshots : public QObject {
    Q_OBJECT

  private:
    QDir m_dir{QStringLiteral(KORVAN_SCREENSHOT_DIR)};

  private slots:
    void initTestCase() { QVERIFY(m_dir.mkpath(QStringLiteral("."))); }
    void cleanup() { i18n::installTranslations(i18n::Language::Chinese); }

    void pages_data() {
        QTest::addColumn<int>("skin");
        QTest::addColumn<bool>("english");
        QTest::newRow("skin 0") << 0 << false;
        QTest::newRow("skin 1") << 1 << false;
        QTest::newRow("skin 0 English") << 0 << true;
        QTest::newRow("skin 1 English") << 1 << true;
    }
    void pages() {
        QFETCH(int, skin);
        QFETCH(bool, english);
        if (english) QVERIFY(i18n::installTranslations(i18n::Language::English));
        Shell() = ShellState();
        Shell().SkinNumber = skin;
        ProgramConfig config;
        config.MaxBaud = 115200;
        config.ErrTim = 30;
        config.ReCount = 5;
        config.Count = true;
        config.SoundOpen = true;
        config.Sounds = {QStringLiteral("/usr/share/korvan/sounds/ok.wav"),
                         QStringLiteral("/usr/share/korvan/sounds/done.wav"),
                         QStringLiteral("/usr/share/korvan/sounds/error.wav")};
        config.ColorOpen = skin == 1;
        config.Red = 20;
        config.Green = -10;
        SettingsActions actions;
        actions.SetIdeTool = [](bool) {};
        actions.SetAssociation = [](int, bool) {};
        SettingsDialog dialog(LoadSettingsForm(config, true, {true, false}), std::move(actions));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (int page = 0; page < 4; ++page) {
            dialog.tabs()->setSelected(page);
            QApplication::processEvents();
            const QPixmap shot = dialog.grab();
            QVERIFY(!shot.isNull());
            const QString file =
                m_dir.filePath(QStringLiteral("settings_page%1_skin%2%3.png")
                                   .arg(page)
                                   .arg(skin)
                                   .arg(english ? QStringLiteral("_en") : QString()));
            QVERIFY2(shot.save(file, "PNG"), qPrintable(file));
        }
    }
};

QTEST_MAIN(SettingsScreenshots)
#include "screenshots_test.moc"
