#include "core/registrystore.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace korvan {
namespace {

constexpr auto HKCU = RegistryRoot::CurrentUser;
constexpr auto HKCR = RegistryRoot::ClassesRoot;

TEST(RegistryStore, StringsAndDwordsRoundTrip) {
    test::TempHome home;
    RegistryStore reg(home.paths().RegistryFile);
    const QString awkward = QStringLiteral("  a=b; [c] \"d\" %41 \t序\n ");
    ASSERT_TRUE(reg.setString(HKCU, "Software\\Keil\\μVision3\\ToolM", "Mex0", awkward));
    ASSERT_TRUE(reg.setDword(HKCU, "Software\\Keil\\μVision3\\ToolM", "Mfg0", 256));
    ASSERT_TRUE(reg.setString(HKCR, ".hex", "", "hex.file"));

    RegistryStore again(home.paths().RegistryFile);
    const auto text = again.query(HKCU, "software\\keil\\μvision3\\toolm", "MEX0");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->type, RegistryValue::Type::String);
    EXPECT_EQ(text->text, awkward);
    const auto number = again.query(HKCU, "Software\\Keil\\μVision3\\ToolM", "Mfg0");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->type, RegistryValue::Type::Dword);
    EXPECT_EQ(number->asText(), "256");
    EXPECT_EQ(again.query(HKCR, ".hex", "")->text, "hex.file");
    EXPECT_FALSE(again.query(HKCU, ".hex", ""));  // the roots are apart
}

TEST(RegistryStore, StringsStopAtTheirFirstNul) {
    test::TempHome home;
    RegistryStore reg(home.paths().RegistryFile);
    reg.setString(HKCU, "K", "v", QString("ab") + QChar(0) + "cd");
    EXPECT_EQ(reg.query(HKCU, "K", "v")->text, "ab");
}

TEST(RegistryStore, DeletesValuesAndKeysButNotKeysWithSubkeys) {
    test::TempHome home;
    RegistryStore reg(home.paths().RegistryFile);
    reg.setString(HKCR, "hex.file", "", "code");
    reg.setString(HKCR, "hex.file\\Shell\\Open\\command", "", "/k/korvan %1");
    EXPECT_TRUE(reg.createKey(HKCR, "hex.file\\Shell"));
    EXPECT_TRUE(reg.keyExists(HKCR, "hex.file\\Shell"));

    EXPECT_FALSE(reg.deleteKey(HKCR, "hex.file"));  // has subkeys
    EXPECT_TRUE(reg.deleteKey(HKCR, "hex.file\\Shell\\Open\\command"));
    EXPECT_FALSE(reg.keyExists(HKCR, "hex.file\\Shell\\Open\\command"));
    EXPECT_TRUE(reg.deleteKey(HKCR, "hex.file\\Shell"));
    EXPECT_TRUE(reg.deleteValue(HKCR, "hex.file", ""));
    EXPECT_FALSE(reg.deleteValue(HKCR, "hex.file", ""));
    EXPECT_TRUE(reg.keyExists(HKCR, "hex.file"));  // a value gone leaves the key
    EXPECT_TRUE(reg.deleteKey(HKCR, "hex.file"));
    EXPECT_FALSE(reg.deleteKey(HKCR, "hex.file"));
}

TEST(AppRegistry, UsesTheProcessRegistryFileAndFallsBackWhenEmpty) {
    test::TempHome home;
    SetCurrentAppPaths(home.paths());
    EXPECT_EQ(ReadAppRegistry("UCSK", {}, "1"), "1");
    ASSERT_TRUE(WriteAppRegistry("UCSK", "3"));
    ASSERT_TRUE(WriteAppRegistry("Count", quint32{7}));
    ASSERT_TRUE(WriteAppRegistry("Ver", ""));
    EXPECT_EQ(ReadAppRegistry("ucsk", {}, "1"), "3");
    EXPECT_EQ(ReadAppRegistry("Count", {}, ""), "7");
    EXPECT_EQ(ReadAppRegistry("Ver", {}, "none"), "none");
    EXPECT_EQ(RegistryStore(home.paths().RegistryFile)
                  .query(HKCU, "Software\\VORNHELM\\KORVAN", "UCSK")
                  ->text,
              "3");
}

}  // namespace
}  // namespace korvan
