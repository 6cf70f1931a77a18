#include "settings/key_reference.h"

#include "settings/net_drive_list.h"

#include <algorithm>
#include <map>

#include "platform/profile_file.h"
#include "settings/key_table.h"
#include "settings/net_drive_list.h"
#include "settings/settings_store.h"

namespace pelmora {

namespace {

// What the listing families list; the members below say which field or switch.
const std::map<std::string_view, std::string_view>& FamilyListings() {
    static const std::map<std::string_view, std::string_view> families = {
        {"File", "selected files (ファイル名を取得)"},
        {"SFolder", "all files below a folder"},
        {"Drop", "paths given on the command line"},
    };
    return families;
}

const std::map<std::string_view, std::string_view>& FamilyMembers() {
    static const std::map<std::string_view, std::string_view> members = {
        {"Name", "1: each line has the name"},
        {"FullPath", "1: the name comes with its folder (the full path)"},
        {"ShortName", "1: adds the short name (here the name in upper case)"},
        {"Size", "1: adds the size in bytes"},
        {"SizePatarn", "1: sizes with thousands separators (1,263,616)"},
        {"DateTime", "1: adds the last-write date and time"},
        {"DateTimePatarn", "1: the last-write time in the second layout"},
        {"MakeDateTime", "1: adds the creation date and time (where the file system keeps one)"},
        {"MakeDateTimePatarn", "1: the creation time in the second layout"},
        {"AccessDateTime", "1: adds the last-access date and time"},
        {"AccessDateTimePatarn", "1: the last-access time in the second layout"},
        {"Attrib", "1: adds the four attribute words (read-only, hidden, system, archive)"},
        {"LastLineReturn", "1: the last line ends with CR LF too"},
        {"Write", "1: the save dialog offers to write the result to a file as well"},
        {"WriteName", "the file name the save dialog proposes (a time stamp is added)"},
    };
    return members;
}

const std::map<std::string_view, std::string_view>& FontOwners() {
    static const std::map<std::string_view, std::string_view> owners = {
        {"Folder", "the folder list"},
        {"File", "the file list"},
        {"Jump", "the Jump window's buttons"},
        {"NetView", "the network tree"},
    };
    return owners;
}

const std::map<std::string_view, std::string_view>& SingleKeys() {
    static const std::map<std::string_view, std::string_view> keys = {
        {"DirPath", "folder the browser opens at start; blank, `//` or missing: the root folder"},
        {"Pattern", "file pattern the browser starts with (several separated by `;`)"},
        {"WindowIcon", "main window icon: 1 to 5 pick a built-in icon, 0 the program's own"},
        {"LastFormPosition", "1: the main window opens where it was closed (when on screen); 0: centred"},
        {"FormLeft", "main window left edge, in twips"},
        {"FormTop", "main window top edge, in twips"},
        {"FreePicture1", "first picture of the main window's picture panel"},
        {"FreePicture2", "second picture of the picture panel (a click swaps them)"},
        {"ShowJumpWindow", "1: the Jump window opens at start"},
        {"ShowNetViewWindow", "1: the network window opens at start (not with ShowJumpWindow)"},
        {"ChaseSettingWindow", "1: the settings window moves with the main window"},
        {"ChaseJumpWindow", "1: the Jump window moves with the main window"},
        {"ChaseNetViewWindow", "1: the network window moves with the main window"},
        {"ExtStartLock", "launching programs and scripts: 0 allowed, 1 asks first, 2 refused"},
        {"Kakomi", "text around each field of a file line; `<TAB>` for a tab, `<CRLF>` for a line break"},
        {"Kugiri", "separator between fields; `<TAB>` for a tab, `<CRLF>` for a line break"},
        {"FileExtSort", "1: file listings are ordered by extension, then by path"},
        {"FileHiddenFile", "1: the file list and the walks show hidden files (names beginning with `.`)"},
        {"FileSystemFile", "1: system files are shown (no effect here: POSIX has no system attribute)"},
        {"DropMultiLine", "1: each command-line path on a line of its own; 0: the raw command line"},
        {"DropFolderMark", "1: folders given on the command line end with `/`"},
        {"Fol_Kakomi", "text around each folder name of the folder listings"},
        {"Fol_FullPath1", "folder listing: 1 the full path, 0 the name only"},
        {"Fol_FullPath2", "subfolder listing: 1 full paths, 0 names only"},
        {"Fol_FullPath3", "all-folders listing: 1 full paths, 0 names only"},
        {"Fol_RootGet2", "subfolder listing: 1 the folder itself comes first"},
        {"Fol_RootGet3", "all-folders listing: 1 the start folder comes first"},
        {"Fol_FolderMark1", "folder listing: 1 the name ends with `/`"},
        {"Fol_FolderMark2", "subfolder listing: 1 names end with `/`"},
        {"Fol_FolderMark3", "all-folders listing: 1 names end with `/`"},
        {"Fol_LastLineReturn1", "folder listing: 1 the last line ends with CR LF too"},
        {"Fol_LastLineReturn2", "subfolder listing: 1 the last line ends with CR LF too"},
        {"Fol_LastLineReturn3", "all-folders listing: 1 the last line ends with CR LF too"},
        {"Fol_Write1", "folder listing: 1 offers to save the result to a file as well"},
        {"Fol_Write2", "subfolder listing: 1 offers to save the result to a file as well"},
        {"Fol_Write3", "all-folders listing: 1 offers to save the result to a file as well"},
        {"Fol_WriteName1", "file name proposed for the folder listing"},
        {"Fol_WriteName2", "file name proposed for the subfolder listing"},
        {"Fol_WriteName3", "file name proposed for the all-folders listing"},
        {"TreeFile", "folder tree: 1 files are drawn too"},
        {"TreeAscii", "folder tree: 1 drawn with plain ASCII characters"},
        {"TreeWrite", "folder tree: 1 offers to save the tree to a file as well"},
        {"TreeWriteName", "file name proposed for the folder tree"},
        {"TreeWaitTime", "seconds the folder tree may take (60 to 600; 0 means 180)"},
        {"CV_DefaultPicture", "picture ChoiView shows when it opens"},
        {"CV_LastFormPosition", "1: ChoiView opens where it was closed (when on screen)"},
        {"CV_FormLeft", "ChoiView left edge, in twips"},
        {"CV_FormTop", "ChoiView top edge, in twips"},
        {"CV_FrontView", "1: ChoiView starts with 前面 (stay on top) ticked"},
        {"CV_MPlayMinPause", "1: minimising ChoiView pauses playback"},
        {"CV_use_stealth", "1: ChoiView is translucent"},
        {"CV_Stealth", "ChoiView's opacity when translucent, 1 to 255 (255 opaque)"},
        {"CV_txt", "1: ChoiView shows text files"},
        {"CV_other_txt", "1: ChoiView shows files of other extensions as text when they hold no NUL byte"},
        {"CV_txt_CheckSize", "bytes searched for a NUL byte (128 to 204800; 0 means 2048)"},
        {"Hex_LastFormPosition", "1: HexView opens where it was closed (when on screen)"},
        {"Hex_FormLeft", "HexView left edge, in twips"},
        {"Hex_FormTop", "HexView top edge, in twips"},
        {"Hex_ReadByte", "bytes HexView reads from the start of a file: 1024, 2048, … 65536"},
        {"ACL_LastFormPosition", "1: ACLView opens where it was closed (when on screen)"},
        {"ACL_FormLeft", "ACLView left edge, in twips"},
        {"ACL_FormTop", "ACLView top edge, in twips"},
    };
    return keys;
}

// ChoiView's per-kind switches: CV_xxx shows .xxx files, CV_Su_xxx through a plug-in.
std::string ViewerSwitchPurpose(std::string_view key) {
    static const std::map<std::string_view, std::string_view> extras = {
        {"jpg", ".jpg and .jpeg"}, {"htm", ".htm, .html and .mht"}, {"mpg", ".mpg, .mpeg, .m1v, .mp2, .mpa and .mpe"},
        {"asf", ".asf, .wm, .wma and .wmv"}, {"mid", ".mid, .midi and .rmi"},
        {"wav", ".wav, .mp3, .snd, .au, .aif, .aifc and .aiff"}, {"tif", ".tif and .tiff"},
        {"pct", ".pct and .pict"}, {"wmf", ".wmf and .emf"}, {"bmp", ".bmp, .dib and .rle"},
    };
    const bool plugin = key.rfind("CV_Su_", 0) == 0;
    const std::string_view extension = key.substr(plugin ? 6 : 3);
    const auto extra = extras.find(extension);
    const std::string files = extra != extras.end() ? std::string(extra->second) : "." + std::string(extension);
    return plugin ? "1: ChoiView shows " + files + " through an image-reader plug-in"
                  : "1: ChoiView shows " + files + " files";
}

std::string NumberedPurpose(std::string_view stem, std::string_view number) {
    if (stem == "Jump") return "bookmark " + std::string(number) + " of the Jump window (a folder)";
    if (stem == "ShellExeExt") return "extension launched with ShellExePath" + std::string(number);
    return "program that opens files with ShellExeExt" + std::string(number);
}

std::string KindOf(const KeyDescriptor& descriptor) {
    switch (descriptor.rule) {
        case NormalizeRule::OffFlag: return "flag, on only when `1`";
        case NormalizeRule::OnFlag: return "flag, off only when `0`";
        case NormalizeRule::LayoutToken: return "text with `<TAB>`, `<CRLF>`";
        case NormalizeRule::StartFolder: return "folder";
        case NormalizeRule::FilePattern: return "patterns";
        case NormalizeRule::WindowIcon: return "choice 0 to 5";
        case NormalizeRule::ExtStartLock: return "choice 0, 1, 2";
        case NormalizeRule::PictureFile: return "picture file";
        case NormalizeRule::FontSize: return "size in points";
        case NormalizeRule::TreeWaitTime:
        case NormalizeRule::CheckSize:
        case NormalizeRule::Opacity:
        case NormalizeRule::HexReadByte: return "number";
        case NormalizeRule::AsRead:
        case NormalizeRule::BlankDefault: break;
    }
    return std::holds_alternative<std::int32_t Settings::*>(descriptor.field) ? "number" : "text";
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool IsPositionKey(std::string_view key) { return EndsWith(key, "FormLeft") || EndsWith(key, "FormTop"); }

std::string WrittenBy(const KeyDescriptor& descriptor) {
    const auto& saved = SavedKeys();
    if (std::any_of(saved.begin(), saved.end(), [&](const SavedKey& s) { return s.descriptor == &descriptor; })) {
        return "settings dialog";
    }
    if (IsPositionKey(descriptor.key)) return "its window, on closing";
    if (descriptor.key.rfind("Jump", 0) == 0 && descriptor.key.size() == 6) return "Jump window (登録)";
    return "by hand only";
}

// The raw values the default file gives, by lower-cased key.
std::map<std::string, std::string> DefaultFileValues() {
    std::map<std::string, std::string> values;
    const std::string_view text = DefaultIniText();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (!line.empty() && line.front() != '[' && equals != std::string_view::npos) {
            std::string key(line.substr(0, equals));
            std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
            values[key] = std::string(line.substr(equals + 1));
        }
        start = end + 2;
    }
    return values;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

// A value as a table cell: in code quotes, "|" escaped; "(empty)" for nothing.
std::string Cell(const std::string& value) {
    if (value.empty()) return "(empty)";
    std::string escaped;
    for (char c : value) escaped += c == '|' ? std::string("\\|") : std::string(1, c);
    return "`" + escaped + "`";
}

constexpr std::string_view kIntroduction =
    "# Pelmora.ini: settings reference\n"
    "\n"
    "This page is made from the program's key table; a test fails when the two differ.\n"
    "\n"
    "- **Where:** `Pelmora.ini` beside the program, or `$XDG_CONFIG_HOME/pelmora` (by default\n"
    "  `~/.config/pelmora`) when the program's folder cannot be written. `pelmora-list --ini FILE`\n"
    "  reads another file and never writes it.\n"
    "- **How to start:** `pelmora-list settings > my.ini` writes every key as the program reads it\n"
    "  now (or copy the default file), then edit the copy.\n"
    "- **A key missing from the file counts as off or empty** (the column \"When absent\"), not as\n"
    "  the default file's value. The default file is written only when no file exists.\n"
    "- Flags are `1` and `0`. Section and key names match without regard to case; a value is at\n"
    "  most 255 bytes; one pair of surrounding quotes is removed.\n"
    "- Positions are in twips (1/1440 inch; 15 twips are one pixel at 96 dots per inch).\n"
    "- \"Written by\": the program writes a key only in the situation named there; every other\n"
    "  line of the file stays as written by hand.\n";

}  // namespace

std::string KeyPurpose(std::string_view key) {
    if (const auto single = SingleKeys().find(key); single != SingleKeys().end()) return std::string(single->second);
    for (const auto& [prefix, listing] : FamilyListings()) {
        if (key.rfind(prefix, 0) != 0) continue;
        if (const auto member = FamilyMembers().find(key.substr(prefix.size())); member != FamilyMembers().end()) {
            return std::string(listing) + ": " + std::string(member->second);
        }
    }
    for (const auto& [prefix, owner] : FontOwners()) {
        if (key.rfind(prefix, 0) != 0) continue;
        const std::string_view part = key.substr(prefix.size());
        if (part == "FontName") return "font of " + std::string(owner);
        if (part == "FontSize") return "font size of " + std::string(owner) + " in points (\"9\", \"10.5\")";
        if (part == "FontBold") return "1: " + std::string(owner) + " in bold";
        if (part == "FontItalic") return "1: " + std::string(owner) + " in italics";
    }
    for (std::string_view stem : {"Jump", "ShellExeExt", "ShellExePath"}) {
        if (key.size() == stem.size() + 2 && key.rfind(stem, 0) == 0) return NumberedPurpose(stem, key.substr(stem.size()));
    }
    if (key.rfind("CV_", 0) == 0) return ViewerSwitchPurpose(key);
    return {};
}

// The one section that is a list rather than keys of the table.
constexpr const char* kNetDriveSectionText =
    "The shares connected with \"ネットワークドライブ接続\", in the order they were connected, as\n"
    "`Share1=//server/share`, `Share2=...`; written by the connect and disconnect commands, which\n"
    "renumber the list. They show in the drive list after the mounted volumes. Only the paths\n"
    "are kept: user names and passwords never reach the file.\n";

std::string SettingsReferenceText() {
    Settings absent;
    LoadSettings(absent, std::string());  // no file: every key as a file without it gives
    NormalizeSettings(absent, "/", nullptr);
    const std::map<std::string, std::string> defaults = DefaultFileValues();

    std::string text(kIntroduction);
    std::string_view section;
    for (const KeyDescriptor& descriptor : KeyTable()) {
        if (descriptor.section != section) {
            section = descriptor.section;
            text += "\n## [" + std::string(section) + "]\n\n";
            text += "| Key | Kind | Default file | When absent | Written by | What it does |\n";
            text += "|---|---|---|---|---|---|\n";
        }
        const auto inDefault = defaults.find(Lower(descriptor.key));
        text += "| `" + descriptor.key + "` | " + KindOf(descriptor) + " | " +
                (inDefault == defaults.end() ? std::string("–") : Cell(inDefault->second)) + " | " +
                Cell(FieldAsText(absent, descriptor)) + " | " + WrittenBy(descriptor) + " | " +
                KeyPurpose(descriptor.key) + " |\n";
    }
    text += "\n## [" + std::string(kNetDriveSection) + "]\n\n" + kNetDriveSectionText;
    return text;
}

}  // namespace pelmora
