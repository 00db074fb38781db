// Pictures of the message (styles 10, 11, 12, 21), mini, about and help windows with both
// built-in skins, in Chinese and in English, saved as PNG files into the build tree for a
// person to look at.
#include <QDir>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include "core/messages.h"
#include "jobs/jobtexts.h"
#include "translations.h"
#include "ui/core/skinobject.h"
#include "ui/skin/skin.h"
#include "windows/aboutwindow.h"
#include "windows/chiptreeview.h"
#include "windows/helpwindow.h"
#include "windows/messagewindow.h"
#include "windows/miniwindow.h"
#include "windows/shellstate.h"

using namespace korvan;

class WindowScreenshots : public QObject {
    Q_OBJECT

  private:
    QDir m_dir{QStringLiteral(KORVAN_SCREENSHOT_DIR)};

    void save(QWidget& window, const QString& name) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::processEvents();
        const QPixmap shot = window.grab();
        QVERIFY(!shot.isNull());
        // A window that drew nothing would be one flat colour.
        const QImage image = shot.toImage();
        QVERIFY(image.pixelColor(2, 2) != image.pixelColor(image.width() / 2, image.height() / 2));
        const QString file = m_dir.filePath(name + QStringLiteral(".png"));
        QVERIFY2(shot.save(file, "PNG"), qPrintable(file));
    }

  private slots:
    void initTestCase() { QVERIFY(m_dir.mkpath(QStringLiteral("."))); }
    void cleanup() { i18n::installTranslations(i18n::Language::Chinese); }

    void windows_data() {
        QTest::addColumn<int>("skin");
        QTest::addColumn<bool>("english");
        QTest::newRow("skin 0") << 0 << false;
        QTest::newRow("skin 1") << 1 << false;
        QTest::newRow("skin 0 English") << 0 << true;
        QTest::newRow("skin 1 English") << 1 << true;
    }
    void windows() {
        QFETCH(int, skin);
        QFETCH(bool, english);
        if (english) QVERIFY(i18n::installTranslations(i18n::Language::English));
        Shell() = ShellState();
        Shell().SkinNumber = skin;
        Shell().AppVersion = QStringLiteral("1.0");
        const QString suffix =
            QStringLiteral("_skin%1").arg(skin) + (english ? QStringLiteral("_en") : QString());

        const struct {
            int style;
            QString prompt;
            QString title;
            const char* name;  // "" for the style alone
        } messages[] = {
            {10, "下载完成！", "", ""},
            {11, "芯片型号与所选系列不符，已取消下载。", "下载失败", ""},
            {12, "指定的文件未找到：<br>/home/user/projects/blink/output/blink.hex", "文件错误",
             ""},
            {21, "检测到的单片机系列与所选不同：<br>是否按检测结果继续下载？", "", ""},
            // A failed job's one message, its cause on the second line.
            {12, "程序下载失败\r\n" + jobs::text::kCauseTimedOut, "", "_nochip"},
            {12, "参数配置失败\r\n" + jobs::text::kCauseNoSteps, "", "_nosteps"},
            // The question before a HEX file with damaged records is opened.
            {21,
             QStringList{msg::BadHexRecords(3, 12), msg::kNoHexEndRecord, msg::kOpenAnyway}.join(
                 "\r\n"),
             "", "_badhex"},
        };
        for (const auto& m : messages) {
            MessageWindow window;
            window.setMessage(m.prompt, m.style, m.title);
            save(window, QStringLiteral("message_%1%2").arg(m.style).arg(m.name) + suffix);
        }

        {
            MessageWindow window;
            QString path = QStringLiteral("/home/user");
            for (int i = 0; i < 14; ++i) path += QStringLiteral("/项目目录%1").arg(i);
            window.setMessage(QStringLiteral("不支持的文件格式！<br>") + path + "/fw.txt", 11, {});
            save(window, QStringLiteral("message_11_long") + suffix);
        }
        {
            MiniWindow mini;
            mini.setMessage(QStringLiteral("正在写入程序... 45%"));
            mini.setProgress(45);
            save(mini, QStringLiteral("mini") + suffix);
        }
        Shell().SplashDone = false;
        {
            AboutWindow splash;
            save(splash, QStringLiteral("startup") + suffix);
        }
        Shell().SplashDone = true;
        {
            AboutWindow about;
            save(about, QStringLiteral("about") + suffix);
        }
        {
            HelpWindow help;
            save(help, QStringLiteral("help") + suffix);
            help.scrollTo(help.maxStep());
            save(help, QStringLiteral("help_end") + suffix);
        }
        {
            ChipTreeView tree;
            tree.resize(320, 240);
            jobs::ChipRecord chip;
            chip.model = QStringLiteral("ZEL51D103");
            chip.version = QStringLiteral("4.3C");
            chip.cpu = 11059200;
            chip.flash = 4096;
            chip.memory = 256;
            chip.eeprom = 1536;
            chip.options = {QStringLiteral("看门狗：  关闭"), QStringLiteral("振荡器：  外部晶振")};
            tree.ShowLines(ChipTreeLines(chip));
            if (skin == 0) save(tree, QStringLiteral("chiptree"));
        }
    }

    // With the skin engine plugin the windows take its skin instead of the built-in frame.
    void engineSkin() {
#ifndef KORVAN_SKIN_DIR
        QSKIP("the skin engine plugin is not built");
#else
        kui::SkinEngine engine(kui::CreateSkinObject(QString::fromLatin1(kui::kSkinClassName),
                                                     QString::fromLatin1(kui::kSkinFileName),
                                                     {QStringLiteral(KORVAN_SKIN_DIR)}));
        QVERIFY(engine.isValid());
        QVERIFY(engine.SkinCount() > 2);
        Shell() = ShellState();
        Shell().SplashDone = true;
        Shell().SkinEngine = &engine;
        Shell().SkinIndex = 2;
        MessageWindow window;
        QVERIFY(!window.skin()->Picture().isNull());  // the engine's picture, not a built-in one
        window.setMessage(QStringLiteral("下载完成！"), 21, QString());
        save(window, QStringLiteral("message_21_engine2"));
        Shell() = ShellState();
#endif
    }
};

QTEST_MAIN(WindowScreenshots)
#include "screenshots_test.moc"
