#include "settings/font_setting.h"

#include <cmath>
#include <cstdio>

#include "i18n/translation.h"
#include "settings/dialog_bindings.h"

namespace pelmora {

const std::array<FontRow, 4>& FontRows() {
    static const std::array<FontRow, 4> rows = {{{"Folder", QT_TRANSLATE_NOOP("Settings", "フォルダ")},
                                                 {"File", QT_TRANSLATE_NOOP("Settings", "ファイル")},
                                                 {"Jump", QT_TRANSLATE_NOOP("Settings", "Jumpボタン")},
                                                 {"NetView", QT_TRANSLATE_NOOP("Settings", "ネットワーク名")}}};
    return rows;
}

FontSetting ReadFontSetting(const Settings& settings, std::string_view keyPrefix) {
    const std::string prefix(keyPrefix);
    return {BoundValue(settings, prefix + "FontName"), BoundValue(settings, prefix + "FontSize"),
            BoundValue(settings, prefix + "FontBold") == "1", BoundValue(settings, prefix + "FontItalic") == "1"};
}

void StoreFontSetting(Settings& settings, std::string_view keyPrefix, const FontSetting& font) {
    const std::string prefix(keyPrefix);
    StoreBoundValue(settings, prefix + "FontName", font.name);
    StoreBoundValue(settings, prefix + "FontSize", font.size);
    StoreBoundValue(settings, prefix + "FontBold", font.bold ? "1" : "0");
    StoreBoundValue(settings, prefix + "FontItalic", font.italic ? "1" : "0");
}

std::string FontSizeText(double points) {
    // Font sizes come in steps of a quarter point at most; two decimals keep every one.
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", std::round(points * 100.0) / 100.0);
    std::string size = text;
    while (size.back() == '0') size.pop_back();
    if (size.back() == '.') size.pop_back();
    return size;
}

std::string FontPreviewText(const FontSetting& font) {
    std::string text = font.name + "\r\n" + Translated(PELMORA_UI_TEXT("Settings", "サイズ:")) + font.size;
    if (font.bold) text += Translated(PELMORA_UI_TEXT("Settings", "  太字"));
    if (font.italic) text += Translated(PELMORA_UI_TEXT("Settings", "  斜体"));
    return text;
}

}  // namespace pelmora
