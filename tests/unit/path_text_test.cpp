// Paths across the door: UTF-8 inside, UTF-16 for the system's wide calls in
// their long form, and the string table's code page 1252 in messages; then
// the settings file in a folder whose name is outside code page 1252.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "storage/best_scores.h"
#include "storage/game_settings.h"
#include "storage/path_text.h"
#include "storage/settings_file.h"
#include "storage/settings_sync.h"
#include "tests/unit/fake_platform.h"
#include "tests/unit/storage_test_support.h"

namespace {

TEST(PathText, NamesInAnyScriptGoThereAndBack) {
    struct Case {
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"C:\\Jeux \xC3\xA9\\Glimmets.exe", u"C:\\Jeux \u00E9\\Glimmets.exe"},
        {"C:\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B", u"C:\\\u0418\u0433\u0440\u044B"},  // Cyrillic
        {"\xE6\xB8\xB8\xE6\x88\x8F", u"\u6E38\u620F"},                                // Chinese
        {"\xF0\x9F\x8E\xB2.ini", u"\U0001F3B2.ini"},                                  // beyond 16 bits
        {"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf16_from_utf8(c.utf8), c.utf16) << c.utf8;
        EXPECT_EQ(utf8_from_utf16(c.utf16), c.utf8) << c.utf8;
    }
}

TEST(PathText, BrokenTextBecomesReplacementCharactersAndNothingElseIsLost) {
    struct Case {
        const char* utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"a\x80z", u"a\uFFFDz"},                    // a stray continuation byte
        {"a\xD0", u"a\uFFFD"},                      // cut at the end of the text
        {"a\xE6\xB8z", u"a\uFFFD\uFFFDz"},          // cut before an ordinary byte
        {"\xC0\xAF", u"\uFFFD\uFFFD"},              // an overlong "/" is no separator
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},    // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
        {"\xFF", u"\uFFFD"},
    };
    for (const Case& c : cases) EXPECT_EQ(utf16_from_utf8(c.utf8), c.utf16) << c.utf8;
    // Lone surrogates from the system.
    EXPECT_EQ(utf8_from_utf16(std::u16string(u"a") + char16_t(0xD800) + u"z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(utf8_from_utf16(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

TEST(PathText, WesternEuropeanTextsBecomeUtf8) {
    EXPECT_EQ(utf8_from_cp1252("Erreur \xE0 l'ouverture"), "Erreur \xC3\xA0 l'ouverture");
    EXPECT_EQ(utf8_from_cp1252("\x80\x9F\xFF"), "\xE2\x82\xAC\xC5\xB8\xC3\xBF");  // euro, Y diaeresis, y diaeresis
    EXPECT_EQ(utf8_from_cp1252("\x81"), "\xC2\x81");  // undefined in the code page: kept as itself
    EXPECT_EQ(utf8_from_cp1252("Glimmets"), "Glimmets");
}

TEST(PathText, LongFormOfAbsolutePaths) {
    struct Case {
        std::u16string path, expected;
    };
    const Case cases[] = {
        {u"C:\\Jeux\\Glimmets.ini", u"\\\\?\\C:\\Jeux\\Glimmets.ini"},
        {u"z:/jeux/Glimmets.ini", u"\\\\?\\z:\\jeux\\Glimmets.ini"},
        {u"\\\\server\\share\\Glimmets.ini", u"\\\\?\\UNC\\server\\share\\Glimmets.ini"},
        {u"\\\\?\\C:\\Jeux\\Glimmets.ini", u"\\\\?\\C:\\Jeux\\Glimmets.ini"},  // already long
        {u"\\\\?\\UNC\\server\\share\\a", u"\\\\?\\UNC\\server\\share\\a"},
        {u"\\\\.\\C:\\a", u"\\\\.\\C:\\a"},
        {u"Glimmets.ini", u"Glimmets.ini"},  // relative paths are left to the system
        {u"\\Jeux\\Glimmets.ini", u"\\Jeux\\Glimmets.ini"},
        {u"C:Glimmets.ini", u"C:Glimmets.ini"},
        {u"", u""},
    };
    for (const Case& c : cases) EXPECT_EQ(long_path_form(c.path), c.expected) << utf8_from_utf16(c.path);
}

// The core never looks inside a path: a settings file in a folder named in
// Cyrillic is read, written and named in the error box like any other.
TEST(PathText, SettingsFileInAFolderNamedOutsideTheCodePage) {
    reset_program_state();
    TempFolder scratch;
    std::string folder = scratch.file("\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B");  // "Igry" in Cyrillic
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    fake.module_path = folder + "/Glimmets.exe";
    init_paths();
    EXPECT_EQ(settings_path, folder + "/Glimmets.ini");
    write_bytes(settings_path, "maxi_x=20\r\nmaxi_y=25\r\nform=0\r\nsize=21\r\nlang=1000\r\ncolors=4\r\nsound=1\r\n"
                               "540,Zizu\r\n");
    load_settings();
    EXPECT_EQ(settings.columns, 20);
    EXPECT_EQ(best_scores[0].score, 540);
    settings.columns = 12;
    EXPECT_TRUE(save_settings());
    EXPECT_EQ(read_bytes(settings_path).substr(0, 11), "maxi_x=12\r\n");

    fake.replace_refusals = 1 << 20;  // another program holds the file: the exit fails
    fake.on_file_op = [](FileOp op, const std::string&) { return op == FileOp::RENAME ? Fault::FAIL : Fault::NONE; };
    try {
        save_settings_at_exit();
        FAIL() << "the failure was not reported";
    } catch (const FatalErrorReported& error) {
        const std::string message = "Erreur \xC3\xA0 l'ouverture du fichier : " + settings_path + "\n";
        EXPECT_EQ(std::string(error.what()).substr(0, message.size()), message);
    }
    fake.on_file_op = nullptr;
}

}  // namespace
