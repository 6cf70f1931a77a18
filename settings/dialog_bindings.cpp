#include "settings/dialog_bindings.h"

#include <charconv>

#include "i18n/ui_text.h"
#include "settings/key_table.h"

namespace pelmora {
namespace {

using K = ControlKind;

constexpr std::string_view kImages = QT_TRANSLATE_NOOP("Settings", "画像ファイル");
constexpr std::string_view kMedia = QT_TRANSLATE_NOOP("Settings", "ビデオ/サウンド/オーディオファイル");
constexpr std::string_view kText = QT_TRANSLATE_NOOP("Settings", "テキストファイル");
constexpr std::string_view kOffice = QT_TRANSLATE_NOOP("Settings", "MS-Officeファイル + etc");
constexpr std::string_view kArchives = QT_TRANSLATE_NOOP("Settings", "書庫ファイル");
constexpr std::string_view kOther = QT_TRANSLATE_NOOP("Settings", "その他");

// A box of a grid page; only the right column carries the row's caption.
ControlBinding Grid(std::string_view control, std::string_view key, int page, int row, int column,
                    std::string_view caption = {}) {
    return {control, key, K::Check, page, {}, row, column, caption};
}

ControlBinding Boxed(std::string_view control, std::string_view key, int page, std::string_view group,
                     std::string_view caption, ControlKind kind = K::Check) {
    return {control, key, kind, page, group, -1, -1, caption};
}

std::vector<ControlBinding> BuildBindings() {
    std::vector<ControlBinding> table;
    // Page 1: one row per field, columns Drop (left), all files below (middle), selected files (right).
    struct FileRow {
        std::string_view caption, right, middle, left, member;
    };
    static const FileRow kFileRows[] = {
        {QT_TRANSLATE_NOOP("Settings", "ファイル名を取得する"), "Check9", "Check19", "DL_Chk_Name", "Name"},
        {QT_TRANSLATE_NOOP("Settings", "　↑フルパスで取得する"), "Check1", "Check2", "DL_Chk_Full", "FullPath"},
        {QT_TRANSLATE_NOOP("Settings", "ショートファイル名を取得する"), "Check10", "Check35", "DL_Chk_Short", "ShortName"},
        {QT_TRANSLATE_NOOP("Settings", "ファイルサイズを取得する"), "Check5", "Check13", "DL_Chk_Size", "Size"},
        {QT_TRANSLATE_NOOP("Settings", "　↑3桁毎に( , )を入れる"), "Check20", "Check21", "DL_Chk_Size2", "SizePatarn"},
        {QT_TRANSLATE_NOOP("Settings", "作成日時を取得する"), "Check24", "Check25", "DL_Chk_MDate", "MakeDateTime"},
        {QT_TRANSLATE_NOOP("Settings", "　↑日付と時刻を分ける"), "Check26", "Check27", "DL_Chk_MDate2", "MakeDateTimePatarn"},
        {QT_TRANSLATE_NOOP("Settings", "更新日時を取得する"), "Check6", "Check14", "DL_Chk_UDate", "DateTime"},
        {QT_TRANSLATE_NOOP("Settings", "　↑日付と時刻を分ける"), "Check22", "Check23", "DL_Chk_UDate2", "DateTimePatarn"},
        {QT_TRANSLATE_NOOP("Settings", "最終アクセス日時を取得する"), "Check28", "Check29", "DL_Chk_ADate", "AccessDateTime"},
        {QT_TRANSLATE_NOOP("Settings", "　↑日付と時刻を分ける"), "Check30", "Check31", "DL_Chk_ADate2", "AccessDateTimePatarn"},
        {QT_TRANSLATE_NOOP("Settings", "属性を取得する"), "Check32", "Check33", "DL_Chk_Attrib", "Attrib"},
        {QT_TRANSLATE_NOOP("Settings", "末尾で改行する"), "Check8", "Check15", "DL_Chk_LLR", "LastLineReturn"},
        {QT_TRANSLATE_NOOP("Settings", "ファイルに保存する"), "Check16", "Check17", "DL_Chk_File", "Write"},
    };
    // The keys live as long as the program: kept in one static list of names.
    static std::vector<std::string> keyNames = [] {
        std::vector<std::string> names;
        for (const FileRow& row : kFileRows) {
            for (const char* family : {"File", "SFolder", "Drop"}) names.push_back(family + std::string(row.member));
        }
        return names;
    }();
    int row = 0;
    for (const FileRow& fileRow : kFileRows) {
        const std::string* keys = &keyNames[static_cast<std::size_t>(row) * 3];
        table.push_back(Grid(fileRow.right, keys[0], 1, row, 2, fileRow.caption));
        table.push_back(Grid(fileRow.middle, keys[1], 1, row, 1));
        table.push_back(Grid(fileRow.left, keys[2], 1, row, 0));
        ++row;
    }

    table.push_back(Boxed("Check3", "FileHiddenFile", 2, {}, QT_TRANSLATE_NOOP("Settings", "隠しファイルを参照する")));
    table.push_back(Boxed("Check4", "FileSystemFile", 2, {}, QT_TRANSLATE_NOOP("Settings", "システムファイルを参照する")));
    table.push_back(Boxed("Check11", "FileExtSort", 2, {}, QT_TRANSLATE_NOOP("Settings", "拡張子毎に並び替えて取得する")));
    table.push_back(Boxed("Text1", "Kakomi", 2, {}, QT_TRANSLATE_NOOP("Settings", "囲み文字"), K::LayoutText));
    table.push_back(Boxed("Text2", "Kugiri", 2, {}, QT_TRANSLATE_NOOP("Settings", "区切り文字"), K::LayoutText));

    // Page 3: folder name, subfolders, all folders below (right to left).
    table.push_back(Grid("Check34", "Fol_FullPath1", 3, 0, 2, QT_TRANSLATE_NOOP("Settings", "フルパスで取得する")));
    table.push_back(Grid("Check39", "Fol_FullPath2", 3, 0, 1));
    table.push_back(Grid("Check38", "Fol_FullPath3", 3, 0, 0));
    table.push_back(Grid("Check46", "Fol_RootGet2", 3, 1, 1));
    table.push_back(Grid("Check47", "Fol_RootGet3", 3, 1, 0));
    table.push_back(Grid("Check12", "Fol_FolderMark1", 3, 2, 2, QT_TRANSLATE_NOOP("Settings", "\\マークを付加する")));
    table.push_back(Grid("Check41", "Fol_FolderMark2", 3, 2, 1));
    table.push_back(Grid("Check40", "Fol_FolderMark3", 3, 2, 0));
    table.push_back(Grid("Check36", "Fol_LastLineReturn1", 3, 3, 2, QT_TRANSLATE_NOOP("Settings", "末尾で改行する")));
    table.push_back(Grid("Check43", "Fol_LastLineReturn2", 3, 3, 1));
    table.push_back(Grid("Check42", "Fol_LastLineReturn3", 3, 3, 0));
    table.push_back(Grid("Check37", "Fol_Write1", 3, 4, 2, QT_TRANSLATE_NOOP("Settings", "ファイルに保存する")));
    table.push_back(Grid("Check45", "Fol_Write2", 3, 4, 1));
    table.push_back(Grid("Check44", "Fol_Write3", 3, 4, 0));
    table.push_back({"Text3", "Fol_Kakomi", K::LiveLayoutText, 3, {}, -1, -1, QT_TRANSLATE_NOOP("Settings", "囲み文字")});

    table.push_back(Boxed("Check7", "TreeFile", 4, {}, QT_TRANSLATE_NOOP("Settings", "ファイル名を取得する")));
    table.push_back(Boxed("Check18", "TreeWrite", 4, {}, QT_TRANSLATE_NOOP("Settings", "ファイルに保存する")));

    const auto cv = [&table](int page, std::string_view group, std::string_view control, std::string_view key,
                             std::string_view caption) { table.push_back(Boxed(control, key, page, group, caption)); };
    cv(5, kImages, "CV_Check_bmp", "CV_bmp", "bmp/dib/rle");
    cv(5, kImages, "CV_Check_gif", "CV_gif", "gif");
    cv(5, kImages, "CV_Check_ico", "CV_ico", "ico");
    cv(5, kImages, "CV_Check_jpg", "CV_jpg", "jpg/jpeg");
    cv(5, kImages, "CV_Check_wmf", "CV_wmf", "wmf/emf");
    cv(5, kImages, "CV_Check_Su_jpg", "CV_Su_jpg", "jpg/jpeg");
    cv(5, kImages, "CV_Check_Su_mag", "CV_Su_mag", "mag");
    cv(5, kImages, "CV_Check_Su_pi", "CV_Su_pi", "pi");
    cv(5, kImages, "CV_Check_Su_pic", "CV_Su_pic", "pic");
    cv(5, kImages, "CV_Check_Su_p2", "CV_Su_p2", "p2");
    cv(5, kImages, "CV_Check_Su_pct", "CV_Su_pct", "pct/pict");
    cv(5, kImages, "CV_Check_Su_q4", "CV_Su_q4", "q4");
    cv(5, kImages, "CV_Check_Su_tif", "CV_Su_tif", "tif/tiff");
    cv(5, kImages, "CV_Check_Su_pcx", "CV_Su_pcx", "pcx");
    cv(5, kImages, "CV_Check_Su_png", "CV_Su_png", "png");
    cv(5, kMedia, "CV_Check_wav", "CV_wav", "wav/mp3/snd/au/aif/aifc/aiff");
    cv(5, kMedia, "CV_Check_mid", "CV_mid", "mid/midi/rmi");
    cv(5, kMedia, "CV_Check_mpg", "CV_mpg", "mpg/mpeg/m1v/mp2/mpa/mpe");
    cv(5, kMedia, "CV_Check_avi", "CV_avi", "avi");
    cv(5, kMedia, "CV_Check_asf", "CV_asf", "asf/wm/wma/wmv");
    cv(5, kMedia, "CV_Check_Pause", "CV_MPlayMinPause", QT_TRANSLATE_NOOP("Settings", "最小化時に一時停止する"));
    cv(6, kText, "CV_Check_txt", "CV_txt", "txt");
    cv(6, kText, "CV_Check_other_txt", "CV_other_txt", QT_TRANSLATE_NOOP("Settings", "上記以外のテキストファイルを自動認識する"));
    cv(6, kOffice, "CV_Check_rtf", "CV_rtf", QT_TRANSLATE_NOOP("Settings", "rtf  (要Word)"));
    cv(6, kOffice, "CV_Check_doc", "CV_doc", QT_TRANSLATE_NOOP("Settings", "doc (要Word)"));
    cv(6, kOffice, "CV_Check_xls", "CV_xls", QT_TRANSLATE_NOOP("Settings", "xls (要Excel)"));
    cv(6, kOffice, "CV_Check_ppt", "CV_ppt", QT_TRANSLATE_NOOP("Settings", "ppt (要PowerPoint)"));
    cv(6, kOffice, "CV_Check_vsd", "CV_vsd", QT_TRANSLATE_NOOP("Settings", "vsd (要Visio)"));
    cv(6, kArchives, "CV_Check_zip", "CV_zip", QT_TRANSLATE_NOOP("Settings", "zip (要UnZip32.dll)"));
    cv(6, kArchives, "CV_Check_lzh", "CV_lzh", QT_TRANSLATE_NOOP("Settings", "lzh (要UnLha32.dll)"));
    cv(7, kOther, "CV_Check_pdf", "CV_pdf", QT_TRANSLATE_NOOP("Settings", "pdf (要AcrobatReader)"));
    cv(7, kOther, "CV_Check_htm", "CV_htm", "htm/html/hmt");
    cv(7, kOther, "CV_Check_swf", "CV_swf", "swf");
    table.push_back(Boxed("Slider1", "CV_Stealth", 7, QT_TRANSLATE_NOOP("Settings", "スティルスモード"), {}, K::Opacity));

    table.push_back(Boxed("Combo1", "Hex_ReadByte", 8, QT_TRANSLATE_NOOP("Settings", "読み取り数"), {}, K::ReadByteChoice));

    static const char* const kRowControls[] = {"Ext_Text_1", "ExePath_Text_1", "Ext_Text_2", "ExePath_Text_2",
                                               "Ext_Text_3", "ExePath_Text_3", "Ext_Text_4", "ExePath_Text_4",
                                               "Ext_Text_5", "ExePath_Text_5"};
    static const char* const kRowKeys[] = {"ShellExeExt01", "ShellExePath01", "ShellExeExt02", "ShellExePath02",
                                           "ShellExeExt03", "ShellExePath03", "ShellExeExt04", "ShellExePath04",
                                           "ShellExeExt05", "ShellExePath05"};
    for (std::size_t i = 0; i < 10; ++i) {
        table.push_back(Boxed(kRowControls[i], kRowKeys[i], 9, QT_TRANSLATE_NOOP("Settings", "関連付け起動"), {}, K::PlainText));
    }

    table.push_back(Boxed("Check48", "ShowJumpWindow", 10, QT_TRANSLATE_NOOP("Settings", "起動時に表示"), QT_TRANSLATE_NOOP("Settings", "ジャンプ")));
    table.push_back(Boxed("Check49", "ShowNetViewWindow", 10, QT_TRANSLATE_NOOP("Settings", "起動時に表示"), QT_TRANSLATE_NOOP("Settings", "ネットワーク")));
    return table;
}

struct ExclusivePair {
    std::string_view first, second;
};
constexpr ExclusivePair kExclusivePairs[] = {{"Check48", "Check49"}, {"CV_Check_jpg", "CV_Check_Su_jpg"}};

}  // namespace

const std::vector<ControlBinding>& SettingsDialogBindings() {
    static const std::vector<ControlBinding> table = BuildBindings();
    return table;
}

const ControlBinding* FindControlBinding(std::string_view control) {
    for (const ControlBinding& binding : SettingsDialogBindings()) {
        if (binding.control == control) return &binding;
    }
    return nullptr;
}

const std::vector<std::string_view>& GridRowCaptions(int page) {
    static const std::vector<std::string_view> files = [] {
        std::vector<std::string_view> captions;
        for (const ControlBinding& binding : SettingsDialogBindings()) {
            if (binding.page == 1 && binding.gridColumn == 2) captions.push_back(binding.caption);
        }
        return captions;
    }();
    static const std::vector<std::string_view> folders = {QT_TRANSLATE_NOOP("Settings", "フルパスで取得する"), QT_TRANSLATE_NOOP("Settings", "選択フォルダを含めて取得する"),
                                                          QT_TRANSLATE_NOOP("Settings", "\\マークを付加する"), QT_TRANSLATE_NOOP("Settings", "末尾で改行する"),
                                                          QT_TRANSLATE_NOOP("Settings", "ファイルに保存する")};
    static const std::vector<std::string_view> none;
    return page == 1 ? files : page == 3 ? folders : none;
}

const std::vector<std::string_view>& GridColumnLabels(int page) {
    static const std::vector<std::string_view> files = {
        QT_TRANSLATE_NOOP("Settings", "↑「ドロップ／送る」の設定         （保存後に有効）"), QT_TRANSLATE_NOOP("Settings", "↑「配下の全ファイル名を取得」の設定"),
        QT_TRANSLATE_NOOP("Settings", "↑「ファイル名を取得」の設定")};
    static const std::vector<std::string_view> folders = {QT_TRANSLATE_NOOP("Settings", "↑「配下の全フォルダ名を取得」の設定"),
                                                          QT_TRANSLATE_NOOP("Settings", "↑「直下のファルダ名を取得」の設定"),
                                                          QT_TRANSLATE_NOOP("Settings", "↑「フォルダ名を取得」の設定")};
    static const std::vector<std::string_view> none;
    return page == 1 ? files : page == 3 ? folders : none;
}

std::string BoundValue(const Settings& settings, std::string_view key) {
    const KeyDescriptor* descriptor = FindKeyDescriptor(key);
    return descriptor ? FieldAsText(settings, *descriptor) : std::string();
}

bool StoreBoundValue(Settings& settings, std::string_view key, const std::string& value) {
    const KeyDescriptor* descriptor = FindKeyDescriptor(key);
    if (descriptor == nullptr) return false;
    if (std::string* text = TextField(settings, *descriptor)) {
        *text = value;
        return true;
    }
    std::int32_t* number = IntField(settings, *descriptor);
    std::int32_t parsed = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), parsed);
    if (number == nullptr || error != std::errc() || end != value.data() + value.size()) return false;
    *number = parsed;
    return true;
}

std::string_view ApplyCheck(Settings& settings, std::string_view control, bool checked) {
    const ControlBinding* binding = FindControlBinding(control);
    if (binding == nullptr || binding->kind != ControlKind::Check) return {};
    StoreBoundValue(settings, binding->key, checked ? "1" : "0");
    if (!checked) return {};
    for (const ExclusivePair& pair : kExclusivePairs) {
        const std::string_view partner =
            control == pair.first ? pair.second : control == pair.second ? pair.first : std::string_view();
        if (partner.empty()) continue;
        StoreBoundValue(settings, FindControlBinding(partner)->key, "0");
        return partner;
    }
    return {};
}

void MakeJpegReadersExclusive(Settings& settings) {
    if (settings.CV_jpg == "1") settings.CV_Su_jpg = "0";
}

const std::vector<std::string_view>& ReadByteChoices() {
    static const std::vector<std::string_view> choices = {"1024", "2048", "4096", "8192", "16384", "32768", "65536"};
    return choices;
}

}  // namespace pelmora
