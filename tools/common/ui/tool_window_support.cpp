#include "tools/common/ui/tool_window_support.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QLabel>
#include <QLayout>
#include <QMimeData>
#include <QRawFont>
#include <QTextLayout>
#include <QUrl>
#include <QWidget>
#include <algorithm>

#include "tools/common/ui/middle_elided_label.h"

namespace pelmora {
namespace {

constexpr char kJapaneseFixedFont[] = "ＭＳ ゴシック";

}  // namespace

QFont ToolWindowFixedFont(int pointSize) {
    QFont font(QString::fromUtf8(kJapaneseFixedFont), pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (QFontInfo(font).fixedPitch()) return font;
    QFont fallback = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fallback.setPointSize(pointSize);
    return fallback;
}

QFont OneFontForText(const QFont& font, const QString& text) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() < 2) return font;
    // The family drawing most glyphs among those that hold every character.
    QString family;
    qsizetype mostGlyphs = 0;
    for (const QGlyphRun& run : runs) {
        const QRawFont raw = run.rawFont();
        const bool coversText = std::all_of(text.begin(), text.end(), [&raw](QChar c) {
            return c.isSpace() || raw.supportsCharacter(c);
        });
        qsizetype glyphs = 0;
        for (const QGlyphRun& other : runs) {
            if (other.rawFont().familyName() == raw.familyName()) glyphs += other.glyphIndexes().size();
        }
        if (coversText && glyphs > mostGlyphs) {
            family = raw.familyName();
            mostGlyphs = glyphs;
        }
    }
    if (family.isEmpty()) return font;
    QFont single = font;
    single.setFamilies({family});
    return single;
}

QLabel* AddToolWindowLabel(QWidget* parent, QLayout* layout, const char* objectName, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(label);
    return label;
}

MiddleElidedLabel* AddToolWindowPathLabel(QWidget* parent, QLayout* layout, const char* objectName,
                                          const QString& caption) {
    auto* label = new MiddleElidedLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->SetPathText(caption);
    layout->addWidget(label);
    return label;
}

std::optional<std::string> FilePathOfUrl(const QUrl& url) {
    if (!url.isValid() || url.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) != 0) return std::nullopt;
    const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (path.isEmpty()) return std::nullopt;
    const QString host = url.host();
    std::string result;
    if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0) {
        result = "//" + host.toStdString();
    }
    result.append(path.constData(), static_cast<std::size_t>(path.size()));
    return result;
}

std::optional<std::string> FirstDroppedFilePath(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls()) return std::nullopt;
    const QList<QUrl> urls = mime->urls();
    if (urls.isEmpty()) return std::nullopt;
    return FilePathOfUrl(urls.front());
}

}  // namespace pelmora
