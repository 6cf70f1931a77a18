#include "tools/common/ui/tool_window_support.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <QWidget>

#include "settings/ini_access.h"

namespace pelmora {
namespace {

constexpr char kJapaneseFixedFont[] = "ＭＳ ゴシック";

QRect ScreenRect(const QWidget& window) {
    QScreen* screen = window.screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

double Dpi(const QWidget& window) { return window.logicalDpiX() > 0 ? window.logicalDpiX() : 96.0; }

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

QLabel* AddToolWindowLabel(QWidget* parent, QLayout* layout, const char* objectName, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
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

void PlaceToolWindow(QWidget& window, bool useSaved, int savedLeft, int savedTop) {
    const QRect screen = ScreenRect(window);
    const double dpi = Dpi(window);
    const QSize size = window.frameGeometry().size();
    const TwipsPoint place = PlaceWindow(useSaved, savedLeft, savedTop, PixelsToTwips(screen.width(), dpi),
                                         PixelsToTwips(screen.height(), dpi), PixelsToTwips(size.width(), dpi),
                                         PixelsToTwips(size.height(), dpi));
    window.move(screen.left() + TwipsToPixels(place.left, dpi), screen.top() + TwipsToPixels(place.top, dpi));
}

void OpenToolWindow(QWidget& window, bool useSaved, int savedLeft, int savedTop) {
    PlaceToolWindow(window, useSaved, savedLeft, savedTop);
    const QSize placedSize = window.frameGeometry().size();
    window.show();
    if (window.frameGeometry().size() != placedSize) PlaceToolWindow(window, useSaved, savedLeft, savedTop);
}

TwipsPoint ToolWindowPosition(const QWidget& window) {
    const QRect screen = ScreenRect(window);
    const double dpi = Dpi(window);
    const QRect frame = window.frameGeometry();
    return {PixelsToTwips(frame.left() - screen.left(), dpi), PixelsToTwips(frame.top() - screen.top(), dpi)};
}

void SaveToolWindowPosition(const QWidget& window, const char* section, const char* leftKey, const char* topKey,
                            std::int32_t& left, std::int32_t& top, const std::string& iniPath) {
    const TwipsPoint position = ToolWindowPosition(window);
    left = position.left;
    top = position.top;
    try {
        WriteIniString(section, leftKey, std::to_string(position.left), iniPath);
        WriteIniString(section, topKey, std::to_string(position.top), iniPath);
    } catch (...) {
    }
}

}  // namespace pelmora
