#include "settings/IniFile.h"

#include <gtest/gtest.h>

namespace kordana {
namespace {

TEST(IniFile, KeysMatchCaseInsensitivelyAndKeepSpecialCharacters) {
    const IniFile ini = IniFile::parse("[Ignition]\r\npagecontrol1->activepageindex = 5\r\n");
    EXPECT_EQ(ini.readInteger("IGNITION", "PageControl1->ActivePageIndex", 0), 5);
    EXPECT_EQ(ini.readInteger("ignition", "missing", 7), 7);
}

TEST(IniFile, UnparsableIntegerCountsAsMissing) {
    const IniFile ini = IniFile::parse("[FORM_HLAV]\nLeft=12x\nTop=\nWidth=-40\nHeight=+9\n");
    EXPECT_EQ(ini.readInteger("FORM_HLAV", "Left", 3), 3);
    EXPECT_EQ(ini.readInteger("FORM_HLAV", "Top", 4), 4);
    EXPECT_EQ(ini.readInteger("FORM_HLAV", "Width", 0), -40);
    EXPECT_EQ(ini.readInteger("FORM_HLAV", "Height", 0), 9);
}

TEST(IniFile, WritingUpdatesInPlaceAndPreservesEverythingElse) {
    IniFile ini = IniFile::parse("; my comment\n[PORTS]\nCOM1=/dev/ttyUSB0\n\n[FORM_HLAV]\n"
                                 "Left=1\nUnknown=keep me\n");
    ini.writeInteger("form_hlav", "Left", 42);
    ini.writeInteger("FORM_HLAV", "Top", 7);
    ini.writeInteger("IGNITION", "PageControl1->ActivePageIndex", 3);
    EXPECT_EQ(ini.text(), "; my comment\n[PORTS]\nCOM1=/dev/ttyUSB0\n\n[FORM_HLAV]\nLeft=42\n"
                          "Unknown=keep me\nTop=7\n\n[IGNITION]\n"
                          "PageControl1->ActivePageIndex=3\n");
    const IniFile again = IniFile::parse(ini.text());
    EXPECT_EQ(again.readString("PORTS", "com1", ""), "/dev/ttyUSB0");
    EXPECT_EQ(again.readInteger("IGNITION", "PageControl1->ActivePageIndex", 0), 3);
}

TEST(IniFile, StringValuesAndSectionAppendedToEmptyDocument) {
    IniFile ini;
    ini.write("FORM_HLAV", "File", "/home/u/tune.ign");
    EXPECT_EQ(ini.readString("FORM_HLAV", "File", "x"), "/home/u/tune.ign");
    EXPECT_EQ(ini.readString("FORM_HLAV", "IniDir", ""), "");
    EXPECT_EQ(ini.text(), "[FORM_HLAV]\nFile=/home/u/tune.ign\n");
}

TEST(IniFile, ValueWithALineBreakIsRefusedAndTheDocumentStaysIntact) {
    const std::string original = "[FORM_HLAV]\nFile=/old/tune.ign\nLeft=3\n\n[PORTS]\n"
                                 "COM1=/dev/ttyUSB0\n";
    for (const std::string bad : {"/x/a\nb.ign", "/x/a\rb.ign", "/x/a\r\n[PORTS]\nCOM1=/dev/sda"}) {
        SCOPED_TRACE(bad);
        IniFile ini = IniFile::parse(original);
        EXPECT_FALSE(ini.write("FORM_HLAV", "File", bad)) << "an existing key";
        EXPECT_FALSE(ini.write("FORM_HLAV", "IniDir", bad)) << "a new key";
        EXPECT_EQ(ini.text(), original);
        const IniFile reread = IniFile::parse(ini.text());
        EXPECT_EQ(reread.readString("FORM_HLAV", "File", ""), "/old/tune.ign");
        EXPECT_EQ(reread.readInteger("FORM_HLAV", "Left", 0), 3);
        EXPECT_EQ(reread.readString("PORTS", "COM1", ""), "/dev/ttyUSB0");
    }
}

} // namespace
} // namespace kordana
