#pragma once
// The four font settings of the settings dialog (folder list, file list, Jump buttons,
// network names): each four keys, the size as text ("9", "10.5").

#include <array>
#include <string>
#include <string_view>

#include "settings/settings_record.h"

namespace pelmora {

struct FontSetting {
    std::string name;
    std::string size;  // points as text
    bool bold = false;
    bool italic = false;
};

// The rows of the dialog, top to bottom: the key prefix ("Folder", "File", "Jump", "NetView")
// and the caption.
struct FontRow {
    std::string_view keyPrefix;
    std::string_view caption;
};
const std::array<FontRow, 4>& FontRows();

FontSetting ReadFontSetting(const Settings& settings, std::string_view keyPrefix);
void StoreFontSetting(Settings& settings, std::string_view keyPrefix, const FontSetting& font);

// A point size as the keys hold it: "9" for 9 points, "10.5" for 10.5.
std::string FontSizeText(double points);

// The preview: the name, CR LF, "サイズ:" and the size, then "  太字" and "  斜体" when set.
std::string FontPreviewText(const FontSetting& font);

}  // namespace pelmora
