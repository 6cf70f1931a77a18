#include "settings/key_table.h"

#include <algorithm>
#include <type_traits>

namespace pelmora {

namespace {

// The default of a blank font name: the Windows UI font the layout was designed with.
constexpr const char* kDefaultFontName = "ＭＳ Ｐゴシック";

// Key name and record field come from one identifier, so they cannot drift apart.
#define PELMORA_KEY(section, name, rule) \
    KeyDescriptor { section, #name, NormalizeRule::rule, &Settings::name, {} }
#define PELMORA_KEY_OR(section, name, rule, fallback) \
    KeyDescriptor { section, #name, NormalizeRule::rule, &Settings::name, fallback }

// The three listing families share their members; only the last-line flag and the
// output name differ.
#define PELMORA_FAMILY_KEYS(P, lastLineRule, writeName)                                                      \
    PELMORA_KEY(kSectionPelmora, P##Name, OffFlag), PELMORA_KEY(kSectionPelmora, P##FullPath, OffFlag),      \
        PELMORA_KEY(kSectionPelmora, P##ShortName, OffFlag), PELMORA_KEY(kSectionPelmora, P##Size, OffFlag), \
        PELMORA_KEY(kSectionPelmora, P##SizePatarn, OffFlag),                                                \
        PELMORA_KEY(kSectionPelmora, P##DateTime, OffFlag),                                                  \
        PELMORA_KEY(kSectionPelmora, P##DateTimePatarn, OffFlag),                                            \
        PELMORA_KEY(kSectionPelmora, P##MakeDateTime, OffFlag),                                              \
        PELMORA_KEY(kSectionPelmora, P##MakeDateTimePatarn, OffFlag),                                        \
        PELMORA_KEY(kSectionPelmora, P##AccessDateTime, OffFlag),                                            \
        PELMORA_KEY(kSectionPelmora, P##AccessDateTimePatarn, OffFlag),                                      \
        PELMORA_KEY(kSectionPelmora, P##Attrib, OffFlag),                                                    \
        PELMORA_KEY(kSectionPelmora, P##LastLineReturn, lastLineRule),                                       \
        PELMORA_KEY(kSectionPelmora, P##Write, OffFlag),                                                     \
        PELMORA_KEY_OR(kSectionPelmora, P##WriteName, BlankDefault, writeName)

#define PELMORA_FONT_KEYS(P, size)                                                             \
    PELMORA_KEY_OR(kSectionPelmora, P##FontName, BlankDefault, kDefaultFontName),              \
        PELMORA_KEY_OR(kSectionPelmora, P##FontSize, FontSize, size),                          \
        PELMORA_KEY(kSectionPelmora, P##FontBold, OffFlag), PELMORA_KEY(kSectionPelmora, P##FontItalic, OffFlag)

std::string TwoDigits(std::size_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

template <std::size_t N>
void AddNumberedKeys(std::vector<KeyDescriptor>& table, const char* stem, std::array<std::string, N> Settings::*list) {
    for (std::size_t i = 0; i < N; ++i) {
        table.push_back(KeyDescriptor{kSectionPelmora, stem + TwoDigits(i + 1), NormalizeRule::AsRead,
                                      ListSlot<N>{list, i}, {}});
    }
}

std::vector<KeyDescriptor> BuildKeyTable() {
    std::vector<KeyDescriptor> table = {
        PELMORA_KEY(kSectionPelmora, DirPath, StartFolder),
        PELMORA_KEY(kSectionPelmora, Pattern, FilePattern),
        PELMORA_KEY(kSectionPelmora, WindowIcon, WindowIcon),
        PELMORA_KEY(kSectionPelmora, LastFormPosition, OnFlag),
        PELMORA_KEY(kSectionPelmora, FormLeft, AsRead),
        PELMORA_KEY(kSectionPelmora, FormTop, AsRead),
        PELMORA_KEY(kSectionPelmora, FreePicture1, PictureFile),
        PELMORA_KEY(kSectionPelmora, FreePicture2, PictureFile),
        PELMORA_KEY(kSectionPelmora, ShowJumpWindow, OffFlag),
        PELMORA_KEY(kSectionPelmora, ShowNetViewWindow, OffFlag),
        PELMORA_KEY(kSectionPelmora, ChaseSettingWindow, OnFlag),
        PELMORA_KEY(kSectionPelmora, ChaseJumpWindow, OnFlag),
        PELMORA_KEY(kSectionPelmora, ChaseNetViewWindow, OnFlag),
    };
    AddNumberedKeys(table, "Jump", &Settings::Jump);
    table.insert(table.end(), {
                                  PELMORA_FONT_KEYS(Folder, "9"),
                                  PELMORA_FONT_KEYS(File, "9"),
                                  PELMORA_FONT_KEYS(Jump, "8"),
                                  PELMORA_FONT_KEYS(NetView, "9"),
                                  PELMORA_KEY(kSectionPelmora, ExtStartLock, ExtStartLock),
                              });
    AddNumberedKeys(table, "ShellExeExt", &Settings::ShellExeExt);
    AddNumberedKeys(table, "ShellExePath", &Settings::ShellExePath);
    table.insert(table.end(), {
        PELMORA_KEY(kSectionPelmora, Kakomi, LayoutToken),
        PELMORA_KEY(kSectionPelmora, Kugiri, LayoutToken),
        PELMORA_KEY(kSectionPelmora, FileExtSort, OffFlag),

        PELMORA_FAMILY_KEYS(File, OnFlag, "PX_File"),
        PELMORA_KEY(kSectionPelmora, FileHiddenFile, OffFlag),
        PELMORA_KEY(kSectionPelmora, FileSystemFile, OffFlag),
        PELMORA_FAMILY_KEYS(SFolder, OnFlag, "PX_SFolder"),
        PELMORA_FAMILY_KEYS(Drop, OffFlag, "PX_Drop"),
        PELMORA_KEY(kSectionPelmora, DropMultiLine, OnFlag),
        PELMORA_KEY(kSectionPelmora, DropFolderMark, OnFlag),

        PELMORA_KEY(kSectionFolderView, Fol_Kakomi, LayoutToken),
        PELMORA_KEY(kSectionFolderView, Fol_FullPath1, OffFlag),
        PELMORA_KEY(kSectionFolderView, Fol_FullPath2, OffFlag),
        PELMORA_KEY(kSectionFolderView, Fol_FullPath3, OffFlag),
        PELMORA_KEY(kSectionFolderView, Fol_RootGet2, OffFlag),
        PELMORA_KEY(kSectionFolderView, Fol_RootGet3, OffFlag),
        PELMORA_KEY(kSectionFolderView, Fol_FolderMark1, OffFlag),
        PELMORA_KEY(kSectionFolderView, Fol_FolderMark2, OffFlag),
        PELMORA_KEY(kSectionFolderView, Fol_FolderMark3, OffFlag),
        PELMORA_KEY(kSectionFolderView, Fol_LastLineReturn1, OffFlag),
        PELMORA_KEY(kSectionFolderView, Fol_LastLineReturn2, OffFlag),
        PELMORA_KEY(kSectionFolderView, Fol_LastLineReturn3, OffFlag),
        PELMORA_KEY(kSectionFolderView, Fol_Write1, OffFlag),
        PELMORA_KEY(kSectionFolderView, Fol_Write2, OffFlag),
        PELMORA_KEY(kSectionFolderView, Fol_Write3, OffFlag),
        PELMORA_KEY_OR(kSectionFolderView, Fol_WriteName1, BlankDefault, "PX_Folder"),
        PELMORA_KEY_OR(kSectionFolderView, Fol_WriteName2, BlankDefault, "PX_Folder2"),
        PELMORA_KEY_OR(kSectionFolderView, Fol_WriteName3, BlankDefault, "PX_Folder3"),
        PELMORA_KEY(kSectionFolderView, TreeFile, OffFlag),
        PELMORA_KEY(kSectionFolderView, TreeAscii, OffFlag),
        PELMORA_KEY(kSectionFolderView, TreeWrite, OffFlag),
        PELMORA_KEY_OR(kSectionFolderView, TreeWriteName, BlankDefault, "PX_Tree"),
        PELMORA_KEY(kSectionFolderView, TreeWaitTime, TreeWaitTime),

        PELMORA_KEY(kSectionChoiView, CV_DefaultPicture, PictureFile),
        PELMORA_KEY(kSectionChoiView, CV_LastFormPosition, OnFlag),
        PELMORA_KEY(kSectionChoiView, CV_FormLeft, AsRead),
        PELMORA_KEY(kSectionChoiView, CV_FormTop, AsRead),
        PELMORA_KEY(kSectionChoiView, CV_FrontView, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_MPlayMinPause, OnFlag),
        PELMORA_KEY(kSectionChoiView, CV_use_stealth, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_Stealth, Opacity),
        PELMORA_KEY(kSectionChoiView, CV_txt, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_other_txt, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_txt_CheckSize, CheckSize),
        PELMORA_KEY(kSectionChoiView, CV_gif, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_jpg, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_bmp, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_ico, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_wmf, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_Su_jpg, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_Su_mag, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_Su_pi, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_Su_pic, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_Su_p2, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_Su_pct, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_Su_q4, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_Su_tif, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_Su_pcx, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_Su_png, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_mid, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_asf, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_wav, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_avi, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_mpg, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_doc, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_xls, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_ppt, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_vsd, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_rtf, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_htm, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_swf, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_pdf, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_lzh, OffFlag),
        PELMORA_KEY(kSectionChoiView, CV_zip, OffFlag),

        PELMORA_KEY(kSectionHexView, Hex_LastFormPosition, OnFlag),
        PELMORA_KEY(kSectionHexView, Hex_FormLeft, AsRead),
        PELMORA_KEY(kSectionHexView, Hex_FormTop, AsRead),
        PELMORA_KEY(kSectionHexView, Hex_ReadByte, HexReadByte),

        PELMORA_KEY(kSectionAclView, ACL_LastFormPosition, OnFlag),
        PELMORA_KEY(kSectionAclView, ACL_FormLeft, AsRead),
        PELMORA_KEY(kSectionAclView, ACL_FormTop, AsRead),
    });
    return table;
}

#undef PELMORA_FONT_KEYS
#undef PELMORA_FAMILY_KEYS
#undef PELMORA_KEY_OR
#undef PELMORA_KEY

std::vector<SavedKey> BuildSavedKeys() {
    std::vector<SavedKey> keys;
    auto add = [&keys](std::initializer_list<std::string_view> names) {
        for (std::string_view name : names) keys.push_back({FindKeyDescriptor(name), false});
    };
    add({"ShowJumpWindow", "ShowNetViewWindow"});
    for (const char* font : {"Folder", "File", "Jump", "NetView"}) {
        for (const char* part : {"FontName", "FontSize", "FontBold", "FontItalic"}) {
            keys.push_back({FindKeyDescriptor(std::string(font) + part), false});
        }
    }
    keys.push_back({FindKeyDescriptor("Kakomi"), true});
    keys.push_back({FindKeyDescriptor("Kugiri"), true});
    add({"FileExtSort"});
    for (const char* family : {"File", "SFolder", "Drop"}) {
        for (const char* member : {"Name", "FullPath", "ShortName", "HiddenFile", "SystemFile", "Size", "SizePatarn",
                                   "DateTime", "DateTimePatarn", "MakeDateTime", "MakeDateTimePatarn",
                                   "AccessDateTime", "AccessDateTimePatarn", "Attrib", "LastLineReturn", "Write"}) {
            if (const KeyDescriptor* d = FindKeyDescriptor(std::string(family) + member)) {
                keys.push_back({d, false});  // HiddenFile and SystemFile exist only for File
            }
        }
    }
    for (const char* stem : {"ShellExeExt", "ShellExePath"}) {
        for (std::size_t i = 1; i <= 5; ++i) keys.push_back({FindKeyDescriptor(stem + TwoDigits(i)), false});
    }
    add({"Fol_Kakomi",
         "Fol_FullPath1", "Fol_FolderMark1", "Fol_LastLineReturn1", "Fol_Write1",
         "Fol_FullPath2", "Fol_RootGet2", "Fol_FolderMark2", "Fol_LastLineReturn2", "Fol_Write2",
         "Fol_FullPath3", "Fol_RootGet3", "Fol_FolderMark3", "Fol_LastLineReturn3", "Fol_Write3",
         "TreeFile", "TreeWrite"});
    add({"CV_Stealth", "CV_MPlayMinPause", "CV_txt", "CV_other_txt", "CV_bmp", "CV_gif", "CV_ico", "CV_jpg",
         "CV_wmf", "CV_Su_jpg", "CV_Su_mag", "CV_Su_pi", "CV_Su_pic", "CV_Su_p2", "CV_Su_pct", "CV_Su_q4",
         "CV_Su_tif", "CV_Su_pcx", "CV_Su_png", "CV_mid", "CV_asf", "CV_wav", "CV_avi", "CV_mpg", "CV_doc",
         "CV_xls", "CV_ppt", "CV_vsd", "CV_rtf", "CV_htm", "CV_swf", "CV_pdf", "CV_lzh", "CV_zip"});
    add({"Hex_ReadByte"});
    return keys;
}

}  // namespace

const std::vector<KeyDescriptor>& KeyTable() {
    static const std::vector<KeyDescriptor> table = BuildKeyTable();
    return table;
}

const KeyDescriptor* FindKeyDescriptor(std::string_view key) {
    const auto& table = KeyTable();
    auto it = std::find_if(table.begin(), table.end(), [key](const KeyDescriptor& d) { return d.key == key; });
    return it == table.end() ? nullptr : &*it;
}

const std::vector<SavedKey>& SavedKeys() {
    static const std::vector<SavedKey> keys = BuildSavedKeys();
    return keys;
}

namespace {

template <typename SettingsT>
auto* TextFieldOf(SettingsT& settings, const KeyDescriptor& descriptor) {
    using Result = std::conditional_t<std::is_const_v<SettingsT>, const std::string*, std::string*>;
    return std::visit(
        [&settings](const auto& field) -> Result {
            using Field = std::decay_t<decltype(field)>;
            if constexpr (std::is_same_v<Field, std::string Settings::*>) {
                return &(settings.*field);
            } else if constexpr (std::is_same_v<Field, std::int32_t Settings::*>) {
                return nullptr;
            } else {
                return &(settings.*(field.list))[field.index];
            }
        },
        descriptor.field);
}

template <typename SettingsT>
auto* IntFieldOf(SettingsT& settings, const KeyDescriptor& descriptor) {
    using Result = std::conditional_t<std::is_const_v<SettingsT>, const std::int32_t*, std::int32_t*>;
    const auto* field = std::get_if<std::int32_t Settings::*>(&descriptor.field);
    return field ? Result{&(settings.**field)} : Result{nullptr};
}

}  // namespace

std::string* TextField(Settings& settings, const KeyDescriptor& descriptor) { return TextFieldOf(settings, descriptor); }
const std::string* TextField(const Settings& settings, const KeyDescriptor& descriptor) {
    return TextFieldOf(settings, descriptor);
}
std::int32_t* IntField(Settings& settings, const KeyDescriptor& descriptor) { return IntFieldOf(settings, descriptor); }
const std::int32_t* IntField(const Settings& settings, const KeyDescriptor& descriptor) {
    return IntFieldOf(settings, descriptor);
}

std::string FieldAsText(const Settings& settings, const KeyDescriptor& descriptor) {
    if (const std::int32_t* number = IntField(settings, descriptor)) return std::to_string(*number);
    return *TextField(settings, descriptor);
}

}  // namespace pelmora
