#include "translations.h"
#include "text.h"

#include <gtest/gtest.h>

#include <QTranslator>

namespace korvan::i18n {
namespace {

// Built before any translator exists, as the program's named texts are.
constexpr Text kDownload = KORVAN_TEXT("i18n-test", "下载");
constexpr Text kUntranslated = KORVAN_TEXT("i18n-test", "没有译文");

QString detected(const QString& model) {
    return KORVAN_TR("i18n-test", "检测到单片机：%1").arg(model);
}

int ourTranslators() {
    int n = 0;
    for (const QTranslator* t : qApp->findChildren<QTranslator*>())
        if (t->objectName().startsWith(QStringLiteral("korvan.i18n:"))) ++n;
    return n;
}

class Translations : public ::testing::Test {
  protected:
    void TearDown() override { installTranslations(Language::Chinese); }
};

TEST_F(Translations, SwitchBothWaysAtUse) {
    ASSERT_TRUE(embeddedCatalogues().contains(QStringLiteral("i18ntest_en.qm")))
        << embeddedCatalogues().join(' ').toStdString();
    const struct {
        Language language;
        QString download;
        QString detected;
    } steps[] = {
        {Language::Chinese, QStringLiteral("下载"), QStringLiteral("检测到单片机：D103")},
        {Language::English, QStringLiteral("Download"), QStringLiteral("Chip detected: D103")},
        // Twice: nothing installed twice, nothing lost.
        {Language::English, QStringLiteral("Download"), QStringLiteral("Chip detected: D103")},
        {Language::Chinese, QStringLiteral("下载"), QStringLiteral("检测到单片机：D103")},
    };
    for (const auto& s : steps) {
        ASSERT_TRUE(installTranslations(s.language));
        EXPECT_EQ(currentLanguage(), s.language);
        EXPECT_EQ(QString(kDownload), s.download);
        EXPECT_EQ(kDownload + QStringLiteral("!"), s.download + QStringLiteral("!"));
        EXPECT_EQ(detected(QStringLiteral("D103")), s.detected);
        // A text without a translation stays Chinese in either language.
        EXPECT_EQ(kUntranslated.toString(), QStringLiteral("没有译文"));
        EXPECT_EQ(ourTranslators(), s.language == Language::English
                                        ? static_cast<int>(embeddedCatalogues().size())
                                        : 0);
    }
}

TEST_F(Translations, CurrentLanguageReinstalledLeavesOneTranslatorEach) {
    ASSERT_TRUE(installTranslations(Language::English));
    ASSERT_TRUE(installCurrentLanguage());
    EXPECT_EQ(ourTranslators(), static_cast<int>(embeddedCatalogues().size()));
    EXPECT_EQ(QString(kDownload), QStringLiteral("Download"));
}

}  // namespace
}  // namespace korvan::i18n
