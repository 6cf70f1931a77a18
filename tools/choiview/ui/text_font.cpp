#include "tools/choiview/ui/text_font.h"

#include <QFontDatabase>

namespace pelmora {

QStringList JapaneseFixedWidthFamilies() {
    return {QStringLiteral("IPAGothic"), QStringLiteral("TakaoGothic"), QStringLiteral("VL Gothic"),
            QStringLiteral("Noto Sans Mono CJK JP")};
}

QFont FixedWidthTextFont(const QFont& base) { return FixedWidthTextFont(base, QFontDatabase::families()); }

QFont FixedWidthTextFont(const QFont& base, const QStringList& installed) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const QString& family : JapaneseFixedWidthFamilies()) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            font = QFont(family);
            break;
        }
    }
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (base.pointSizeF() > 0)
        font.setPointSizeF(base.pointSizeF());
    else if (base.pixelSize() > 0)
        font.setPixelSize(base.pixelSize());
    return font;
}

}  // namespace pelmora
