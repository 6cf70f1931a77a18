#include "settings/settings_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "platform/profile_file.h"
#include "settings/key_table.h"
#include "tests/support/temp_tree.h"

namespace fs = std::filesystem;
using namespace pelmora;

namespace {

std::string Slurp(const fs::path& p) { return pelmora::testing::ReadFile(p.string()); }

void Put(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

class SettingsStoreTest : public ::testing::Test {
protected:

    Settings LoadNormalized(const std::string& iniText, const std::string& programFolder = "/opt/pelmora") {
        Put(ini_, iniText);
        Settings s;
        LoadSettings(s, ini_);
        NormalizeSettings(s, programFolder, nullptr);
        return s;
    }

    static std::string Field(const Settings& s, const std::string& key) {
        const KeyDescriptor* d = FindKeyDescriptor(key);
        EXPECT_NE(d, nullptr) << key;
        return d ? FieldAsText(s, *d) : "";
    }

    pelmora::testing::TempTree tree_;
    const fs::path dir_ = tree_.path();
    const std::string ini_ = tree_ / "Pelmora.ini";
};

// Runs a test body in another current folder, where relative picture names are looked up.
class CurrentFolder {
public:
    explicit CurrentFolder(const fs::path& folder) : old_(fs::current_path()) { fs::current_path(folder); }
    ~CurrentFolder() { fs::current_path(old_); }

private:
    fs::path old_;
};

TEST_F(SettingsStoreTest, DefaultFileIsWrittenByteForByte) {
    CreateDefaultIni(ini_);
    const std::string expected = CrLfLines({
        "[Pelmora]", "Kakomi=\"", "Kugiri=,", "FreePicture1=SampleCG1.bmp", "FreePicture2=SampleCG2.bmp",
        "FileName=1", "FileFullPath=0", "FileHiddenFile=1", "FileSystemFile=1", "FileLastLineReturn=1",
        "SFolderName=1", "SFolderFullPath=1", "SFolderLastLineReturn=1", "DropName=1", "DropFullPath=1", "",
        "[FolderView]", "Fol_Kakomi=\"", "Fol_FullPath1=1", "Fol_FolderMark1=1", "Fol_LastLineReturn1=1",
        "Fol_FullPath2=1", "Fol_RootGet2=1", "Fol_FolderMark2=1", "Fol_LastLineReturn2=1", "Fol_FullPath3=1",
        "Fol_RootGet3=1", "Fol_FolderMark3=1", "Fol_LastLineReturn3=1", "",
        "[ChoiView]", "CV_DefaultPicture=SampleCG2.bmp", "CV_use_Stealth=0", "CV_Stealth=255", "CV_txt=1",
        "CV_other_txt=1", "CV_bmp=1", "CV_gif=1", "CV_ico=1", "CV_jpg=1", "CV_wmf=1", "",
        "[HexView]", "Hex_ReadByte=1024", "",
        "[AclView]",
    });
    EXPECT_EQ(Slurp(ini_), expected);
}

TEST_F(SettingsStoreTest, CreatingNeverOverwritesAndKeepsTheErrno) {
    Put(ini_, "[Pelmora]\r\nKakomi=x\r\n");
    CreateDefaultIni(ini_);
    EXPECT_EQ(Slurp(ini_), "[Pelmora]\r\nKakomi=x\r\n") << "a file made by another copy meanwhile is kept";

    try {
        CreateDefaultIni((dir_ / "missing" / "Pelmora.ini").string());
        ADD_FAILURE() << "no error for a folder that does not exist";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code().value(), ENOENT);
    }
}

// A fresh default file, an empty one and a folder in the file's place: what each reads as.
TEST_F(SettingsStoreTest, DefaultEmptyAndUnreadableFilesReadAsDocumented) {
    using Expected = std::vector<std::pair<const char*, const char*>>;
    const Expected fresh = {{"Kakomi", "\""},         {"Fol_Kakomi", "\""},       {"Kugiri", ","},
                            {"FileName", "1"},         {"FileFullPath", "0"},       {"FileLastLineReturn", "1"},
                            {"DropLastLineReturn", "0"}, {"DropFullPath", "1"},     {"CV_use_stealth", "0"},
                            {"CV_txt", "1"},           {"Hex_ReadByte", "1024"},    {"CV_Stealth", "255"},
                            {"TreeWaitTime", "180"},   {"CV_txt_CheckSize", "2048"}};
    // Nothing refills the keys a present file lacks: they keep the values of an empty file.
    const Expected empty = {{"FileName", "0"},           {"Kakomi", ""},         {"CV_txt", "0"},
                            {"FileLastLineReturn", "1"}, {"DirPath", "/"},       {"FolderFontName", "ＭＳ Ｐゴシック"},
                            {"FileWriteName", "PX_File"}, {"TreeWriteName", "PX_Tree"}};
    CreateDefaultIni(ini_);
    const std::string emptyFile = tree_.AddFile("empty.ini", "");
    const std::string folder = tree_.AddFolder("folder.ini");
    const std::pair<std::string, Expected> files[] = {{ini_, fresh}, {emptyFile, empty}, {folder, empty}};
    for (const auto& [path, expected] : files) {
        Settings s;
        LoadSettings(s, path);
        NormalizeSettings(s, "/opt/pelmora", nullptr);
        for (const auto& [key, value] : expected) EXPECT_EQ(Field(s, key), value) << path << " " << key;
    }
}

TEST_F(SettingsStoreTest, NormalizationFollowsTheKeyRules) {
    struct Case {
        const char* what;
        std::string ini;
        const char* key;
        const char* expected;
    } cases[] = {
        // off and on flags
        {"off flag word", "[Pelmora]\r\nFileName=yes\r\n", "FileName", "0"},
        {"off flag spaced digit", "[Pelmora]\r\nFileName=\" 1\"\r\n", "FileName", "0"},
        {"off flag exactly 1", "[Pelmora]\r\nFileAttrib=1\r\n", "FileAttrib", "1"},
        {"on flag empty", "[Pelmora]\r\nFileLastLineReturn=\r\n", "FileLastLineReturn", "1"},
        {"on flag 0 stays", "[Pelmora]\r\nFileLastLineReturn=0\r\n", "FileLastLineReturn", "0"},
        {"Drop last line is an off flag", "[Pelmora]\r\nDropLastLineReturn=\r\n", "DropLastLineReturn", "0"},
        {"key case ignored", "[pelmora]\r\nfilename=1\r\n", "FileName", "1"},
        {"ACL section spelled AclView", "[AclView]\r\nACL_FormLeft=77\r\n", "ACL_FormLeft", "77"},
        {"CV_use_Stealth spelling", "[ChoiView]\r\nCV_use_Stealth=1\r\n", "CV_use_stealth", "1"},
        // both start windows
        {"Jump wins over network", "[Pelmora]\r\nShowJumpWindow=1\r\nShowNetViewWindow=1\r\n", "ShowNetViewWindow",
         "0"},
        {"Jump kept", "[Pelmora]\r\nShowJumpWindow=1\r\nShowNetViewWindow=1\r\n", "ShowJumpWindow", "1"},
        // layout tokens
        {"< CRLF >", "[Pelmora]\r\nKugiri=< CRLF >\r\n", "Kugiri", "<CRLF>"},
        {"empty Kakomi", "[Pelmora]\r\nKakomi=\r\n", "Kakomi", ""},
        {"folder enclosure token", "[FolderView]\r\nFol_Kakomi=<crlf>\r\n", "Fol_Kakomi", "<CRLF>"},
        {"quoted spaces trimmed", "[FolderView]\r\nFol_Kakomi=\" \"\r\n", "Fol_Kakomi", ""},
        // choices
        {"icon 5", "[Pelmora]\r\nWindowIcon=5\r\n", "WindowIcon", "5"},
        {"icon 6", "[Pelmora]\r\nWindowIcon=6\r\n", "WindowIcon", "0"},
        {"lock 2", "[Pelmora]\r\nExtStartLock=2\r\n", "ExtStartLock", "2"},
        {"lock 3", "[Pelmora]\r\nExtStartLock=3\r\n", "ExtStartLock", "1"},
        // texts with defaults
        {"pattern kept", "[Pelmora]\r\nPattern=*.txt\r\n", "Pattern", "*.txt"},
        {"pattern blank", "[Pelmora]\r\nPattern=\"   \"\r\n", "Pattern", "*.*"},
        {"font size 0", "[Pelmora]\r\nFolderFontSize=0\r\n", "FolderFontSize", "9"},
        {"font size 00 kept", "[Pelmora]\r\nFolderFontSize=00\r\n", "FolderFontSize", "00"},
        {"Jump font size empty", "[Pelmora]\r\nJumpFontSize=\r\n", "JumpFontSize", "8"},
        {"Jump font size 0", "[Pelmora]\r\nJumpFontSize=0\r\n", "JumpFontSize", "8"},
        {"font name blank", "[Pelmora]\r\nFileFontName=\"  \"\r\n", "FileFontName", "ＭＳ Ｐゴシック"},
        {"write name kept", "[FolderView]\r\nTreeWriteName=tree out\r\n", "TreeWriteName", "tree out"},
        // integers
        {"tree wait 30", "[FolderView]\r\nTreeWaitTime=30\r\n", "TreeWaitTime", "60"},
        {"tree wait 700", "[FolderView]\r\nTreeWaitTime=700\r\n", "TreeWaitTime", "600"},
        {"tree wait letters", "[FolderView]\r\nTreeWaitTime=abc\r\n", "TreeWaitTime", "180"},
        {"tree wait negative", "[FolderView]\r\nTreeWaitTime=-5\r\n", "TreeWaitTime", "60"},
        {"tree wait 600", "[FolderView]\r\nTreeWaitTime=600\r\n", "TreeWaitTime", "600"},
        {"check size 100", "[ChoiView]\r\nCV_txt_CheckSize=100\r\n", "CV_txt_CheckSize", "128"},
        {"check size huge", "[ChoiView]\r\nCV_txt_CheckSize=999999\r\n", "CV_txt_CheckSize", "204800"},
        {"check size wrapped", "[ChoiView]\r\nCV_txt_CheckSize=4294967295\r\n", "CV_txt_CheckSize", "128"},
        {"stealth 0", "[ChoiView]\r\nCV_Stealth=0\r\n", "CV_Stealth", "255"},
        {"stealth 256", "[ChoiView]\r\nCV_Stealth=256\r\n", "CV_Stealth", "255"},
        {"stealth 128", "[ChoiView]\r\nCV_Stealth=128\r\n", "CV_Stealth", "128"},
        {"stealth hex", "[ChoiView]\r\nCV_Stealth=0x80\r\n", "CV_Stealth", "128"},
        {"read bytes 32768", "[HexView]\r\nHex_ReadByte=32768\r\n", "Hex_ReadByte", "32768"},
        {"read bytes 3000", "[HexView]\r\nHex_ReadByte=3000\r\n", "Hex_ReadByte", "1024"},
        {"read bytes 512", "[HexView]\r\nHex_ReadByte=512\r\n", "Hex_ReadByte", "1024"},
        {"positions as read", "[Pelmora]\r\nFormLeft=-120\r\n", "FormLeft", "-120"},
        // texts as read
        {"long bookmark cut", "[Pelmora]\r\nJump01=" + std::string(300, 'j') + "\r\n", "Jump01", nullptr},
        {"bookmark kept", "[Pelmora]\r\nJump10=/srv/ｄａｔａ\r\n", "Jump10", "/srv/ｄａｔａ"},
        {"wrong section", "[FolderView]\r\nFileName=1\r\n", "FileName", "0"},
    };
    for (const auto& c : cases) {
        const Settings s = LoadNormalized(c.ini);
        const std::string expected = c.expected ? c.expected : std::string(255, 'j');
        EXPECT_EQ(Field(s, c.key), expected) << c.what;
    }
}

TEST_F(SettingsStoreTest, StartFolderFallsBackToTheRoot) {
    const std::string existing = dir_.string();
    struct Case {
        std::string stored;
        std::string programFolder;
        std::string expected;
    } cases[] = {
        {existing, "/opt/pelmora", existing},
        {"", "/opt/pelmora", "/"},
        {"\"   \"", "/opt/pelmora", "/"},
        {"//server/share", "/opt/pelmora", "/"},
        {"\"  //server/share\"", "/opt/pelmora", "/"},
        {existing + "/no-such-folder", "/opt/pelmora", "/"},
        {(dir_ / "Pelmora.ini").string(), "/opt/pelmora", "/"},  // a file, not a folder
        {"", "C:\\Pelmora", "C:/"},                                  // a drive-letter program folder
    };
    for (const auto& c : cases) {
        const Settings s = LoadNormalized("[Pelmora]\r\nDirPath=" + c.stored + "\r\n", c.programFolder);
        EXPECT_EQ(s.DirPath, c.expected) << c.stored;
    }
}

TEST_F(SettingsStoreTest, PicturesMustExistRelativeToTheCurrentFolder) {
    Put(dir_ / "SampleCG1.bmp", "BM");
    fs::create_directory(dir_ / "pictures");
    const std::string ini = "[Pelmora]\r\nFreePicture1=SampleCG1.bmp\r\nFreePicture2=SampleCG2.bmp\r\n"
                            "[ChoiView]\r\nCV_DefaultPicture=pictures\r\n";
    {
        CurrentFolder here(dir_);
        const Settings s = LoadNormalized(ini);
        EXPECT_EQ(s.FreePicture1, "SampleCG1.bmp");
        EXPECT_EQ(s.FreePicture2, "");
        EXPECT_EQ(s.CV_DefaultPicture, "") << "a folder is no picture";
    }
    EXPECT_EQ(LoadNormalized(ini).FreePicture1, "") << "looked up from another current folder";
}

TEST_F(SettingsStoreTest, NormalizationTellsTheBrowser) {
    struct RecordingSink : BrowserSettingsSink {
        std::vector<std::string> calls;
        void SetDirPath(const std::string& dirPath) override { calls.push_back("dir " + dirPath); }
        void SetPattern(const std::string& pattern) override { calls.push_back("pattern " + pattern); }
        void SetHiddenSystemDisplay(bool hidden, bool system) override {
            calls.push_back(std::string("hidden ") + (hidden ? "1" : "0") + " system " + (system ? "1" : "0"));
        }
    } sink;
    Put(ini_, "[Pelmora]\r\nDirPath=" + dir_.string() + "\r\nPattern=*.txt\r\nFileHiddenFile=1\r\nFileSystemFile=x\r\n");
    Settings s;
    LoadSettings(s, ini_);
    NormalizeSettings(s, "/opt/pelmora", &sink);
    const std::vector<std::string> expected = {"dir " + dir_.string(), "pattern *.txt", "hidden 1 system 0"};
    EXPECT_EQ(sink.calls, expected);
}

// Keys that only a hand edit, a window's close or a bookmark writes: a save must not touch them.
const char* const kKeysNotSaved[] = {
    "DirPath", "Pattern", "WindowIcon", "LastFormPosition", "FormLeft", "FormTop", "FreePicture1", "FreePicture2",
    "ChaseSettingWindow", "ChaseJumpWindow", "ChaseNetViewWindow", "Jump01", "Jump02", "Jump03", "Jump04", "Jump05",
    "Jump06", "Jump07", "Jump08", "Jump09", "Jump10", "ExtStartLock", "FileWriteName", "SFolderWriteName",
    "DropWriteName", "DropMultiLine", "DropFolderMark", "Fol_WriteName1", "Fol_WriteName2", "Fol_WriteName3",
    "TreeAscii", "TreeWriteName", "TreeWaitTime", "CV_DefaultPicture", "CV_LastFormPosition", "CV_FormLeft",
    "CV_FormTop", "CV_FrontView", "CV_use_stealth", "CV_txt_CheckSize", "Hex_LastFormPosition", "Hex_FormLeft",
    "Hex_FormTop", "ACL_LastFormPosition", "ACL_FormLeft", "ACL_FormTop",
};

TEST_F(SettingsStoreTest, SaveWritesExactlyTheDialogKeys) {
    // A file where every key holds a hand-made value, with a comment line of its own.
    std::string hand = "; kept as written\r\n";
    std::string_view section;
    for (const KeyDescriptor& d : KeyTable()) {
        if (d.section != section) {
            section = d.section;
            hand += "[" + std::string(section) + "]\r\n";
        }
        hand += d.key + "=31\r\n";
    }
    Put(ini_, hand);

    Settings s;
    LoadSettings(s, ini_);
    for (const KeyDescriptor& d : KeyTable()) {
        if (std::string* text = TextField(s, d)) *text = "7";
        if (std::int32_t* number = IntField(s, d)) *number = 7;
    }
    s.Kakomi = "  <TAB>  ";
    s.Fol_Kakomi = " x ";
    ASSERT_TRUE(SaveSettings(s, ini_));

    const std::string after = Slurp(ini_);
    EXPECT_EQ(after.rfind("; kept as written\r\n", 0), 0u);
    const platform::ProfileFile file = platform::ProfileFile::Parse(after);
    const std::set<std::string> notSaved(std::begin(kKeysNotSaved), std::end(kKeysNotSaved));
    for (const KeyDescriptor& d : KeyTable()) {
        if (notSaved.count(d.key)) {
            EXPECT_EQ(file.ReadString(d.section, d.key), "31") << d.key << " was overwritten";
        } else if (d.key == "Kakomi") {
            EXPECT_NE(after.find("\r\nKakomi=<TAB>\r\n"), std::string::npos) << "written trimmed";
        } else if (d.key == "Fol_Kakomi") {
            EXPECT_EQ(file.ReadString(d.section, d.key), " x ") << "written untrimmed";
        } else {
            EXPECT_EQ(file.ReadString(d.section, d.key), "7") << d.key << " was not saved";
        }
    }
    EXPECT_EQ(SavedKeys().size() + std::size(kKeysNotSaved), KeyTable().size());
    EXPECT_EQ(std::count(after.begin(), after.end(), '\n'), std::count(hand.begin(), hand.end(), '\n'))
        << "every key replaced in place, nothing added";
}

TEST_F(SettingsStoreTest, SaveIntoDefaultFileAddsKeysAtTheEndOfTheirSections) {
    CreateDefaultIni(ini_);
    Settings s;
    LoadSettings(s, ini_);
    NormalizeSettings(s, "/opt/pelmora", nullptr);
    ASSERT_TRUE(SaveSettings(s, ini_));
    const std::string after = Slurp(ini_);
    for (const char* piece : {"DropFullPath=1\r\nShowJumpWindow=0\r\n", "ShellExePath05=\r\n\r\n[FolderView]",
                              "CV_zip=0\r\n\r\n[HexView]", "Hex_ReadByte=1024\r\n\r\n[AclView]\r\n"}) {
        EXPECT_NE(after.find(piece), std::string::npos) << piece;
    }
    Settings reread;
    LoadSettings(reread, ini_);
    NormalizeSettings(reread, "/opt/pelmora", nullptr);
    EXPECT_EQ(SettingsAsIniText(reread), SettingsAsIniText(s)) << "a save reads back as the same record";
}

TEST_F(SettingsStoreTest, SaveReportsFailureAndRefusesLineBreaks) {
    Settings s;
    EXPECT_FALSE(SaveSettings(s, (dir_ / "missing" / "Pelmora.ini").string()));
    s.FileFontName = "evil\r\nDirPath=/etc";
    EXPECT_FALSE(SaveSettings(s, ini_));
    const std::string after = Slurp(ini_);
    EXPECT_EQ(after.find("DirPath"), std::string::npos);
    EXPECT_EQ(after.find("FileFontName"), std::string::npos);
    EXPECT_NE(after.find("\r\nFileFontSize=\r\n"), std::string::npos) << "the other keys are still saved";
}

TEST_F(SettingsStoreTest, SaveKeysWritesTheNamedKeysInTheirSections) {
    Put(ini_, "[HexView]\r\nHex_FormTop=1\r\n[ACLView]\r\n");
    Settings s;
    s.Hex_FormLeft = 120;
    s.Hex_FormTop = -45;
    s.FormLeft = 7;
    ASSERT_TRUE(SaveKeys(s, {"Hex_FormLeft", "Hex_FormTop"}, ini_));
    EXPECT_EQ(Slurp(ini_), "[HexView]\r\nHex_FormTop=-45\r\nHex_FormLeft=120\r\n[ACLView]\r\n");
    EXPECT_FALSE(SaveKeys(s, {"FormLeft", "NoSuchKey"}, ini_)) << "an unknown name writes nothing";
    EXPECT_EQ(Slurp(ini_).find("FormLeft=7"), std::string::npos);
}

TEST_F(SettingsStoreTest, IniTextListsEveryKeyAndReadsBackTheSame) {
    const Settings s = LoadNormalized("[Pelmora]\r\nKakomi=<tab>\r\nJump03=/home/user/ＤＡＴＡ\r\nFormLeft=-5\r\n");
    const std::string text = SettingsAsIniText(s);
    EXPECT_EQ(text.rfind("[Pelmora]\r\nDirPath=/\r\nPattern=*.*\r\n", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(KeyTable().size() + 5));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), std::count(text.begin(), text.end(), '\n'));
    Put(ini_, text);
    Settings reread;
    LoadSettings(reread, ini_);
    EXPECT_EQ(SettingsAsIniText(reread), text);

    // Values a reader would unquote or trim are written quoted, so they come back whole
    // (found by the fuzzer: enclosing quotes lost one pair per round trip).
    const Settings quoted = LoadNormalized("[Pelmora]\r\nKakomi=\"''''\"\r\nKugiri=\" ; \"\r\n");
    ASSERT_EQ(quoted.Kakomi, "''''");
    const std::string quotedText = SettingsAsIniText(quoted);
    EXPECT_NE(quotedText.find("Kakomi=\"''''\"\r\n"), std::string::npos);
    Put(ini_, quotedText);
    LoadSettings(reread, ini_);
    EXPECT_EQ(reread.Kakomi, "''''");
    EXPECT_EQ(reread.Kugiri, quoted.Kugiri);
}

}  // namespace
