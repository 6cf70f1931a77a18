#include "common/ui/window_position.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "settings/key_table.h"
#include "settings/settings_store.h"

namespace pelmora {
namespace {

QRect ScreenRect(const QWidget& window) {
    QScreen* screen = window.screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

double Dpi(const QWidget& window) { return window.logicalDpiX() > 0 ? window.logicalDpiX() : 96.0; }

// The key table's entry of a position key; null for a window without keys.
const KeyDescriptor* PositionKey(std::string_view name) { return name.empty() ? nullptr : FindKeyDescriptor(name); }

template <typename Record>
auto* PositionField(Record& settings, std::string_view name) {
    const KeyDescriptor* descriptor = PositionKey(name);
    return descriptor ? IntField(settings, *descriptor) : nullptr;
}

}  // namespace

void MoveToStartPosition(QWidget& window, const Settings& settings, const WindowPositionKeys& keys) {
    const KeyDescriptor* flagKey = PositionKey(keys.useSaved);
    const std::string* flag = flagKey ? TextField(settings, *flagKey) : nullptr;
    const std::int32_t* left = PositionField(settings, keys.left);
    const std::int32_t* top = PositionField(settings, keys.top);
    const bool useSaved = flag && left && top && *flag == "1";

    const QRect screen = ScreenRect(window);
    const double dpi = Dpi(window);
    const QSize size = window.frameGeometry().size();
    const TwipsPoint place = PlaceWindow(useSaved, useSaved ? *left : 0, useSaved ? *top : 0,
                                         PixelsToTwips(screen.width(), dpi), PixelsToTwips(screen.height(), dpi),
                                         PixelsToTwips(size.width(), dpi), PixelsToTwips(size.height(), dpi));
    window.move(screen.left() + TwipsToPixels(place.left, dpi), screen.top() + TwipsToPixels(place.top, dpi));
}

void ShowAtStartPosition(QWidget& window, const Settings& settings, const WindowPositionKeys& keys) {
    MoveToStartPosition(window, settings, keys);
    const QSize placedSize = window.frameGeometry().size();
    window.show();
    if (window.frameGeometry().size() != placedSize) MoveToStartPosition(window, settings, keys);
}

TwipsPoint PositionOnScreen(const QWidget& window) {
    const QRect screen = ScreenRect(window);
    const double dpi = Dpi(window);
    const QRect frame = window.frameGeometry();
    return {PixelsToTwips(frame.left() - screen.left(), dpi), PixelsToTwips(frame.top() - screen.top(), dpi)};
}

void SaveWindowPosition(const QWidget& window, Settings& settings, const WindowPositionKeys& keys,
                        const std::string& iniPath) {
    std::int32_t* left = PositionField(settings, keys.left);
    std::int32_t* top = PositionField(settings, keys.top);
    if (!left || !top) return;
    const TwipsPoint position = PositionOnScreen(window);
    *left = position.left;
    *top = position.top;
    try {
        SaveKeys(settings, {keys.left, keys.top}, iniPath);
    } catch (...) {
    }
}

}  // namespace pelmora
