#include "common/ui/window_position.h"

#include <QEvent>
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

constexpr char kLateFramePlacer[] = "placeWithLateFrame";

// A window manager may add its frame only after the window shows (an X11 manager reports it
// later). The window is placed once more for it when a move or resize first shows the frame,
// unless it was moved meanwhile; a hidden window gives up waiting.
class LateFramePlacer : public QObject {
public:
    LateFramePlacer(QWidget& window, const Settings& settings, const WindowPositionKeys& keys)
        : QObject(&window), window_(window), settings_(settings), keys_(keys),
          placedAt_(window.frameGeometry().topLeft()) {
        setObjectName(QString::fromLatin1(kLateFramePlacer));
        window_.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_) return false;
        const QEvent::Type type = event->type();
        if (type == QEvent::Hide) {
            Done();
        } else if ((type == QEvent::Move || type == QEvent::Resize) && window_.frameGeometry() != window_.geometry()) {
            const bool untouched = window_.frameGeometry().topLeft() == placedAt_;
            Done();
            if (untouched) MoveToStartPosition(window_, settings_, keys_);
        }
        return false;
    }

private:
    void Done() {
        window_.removeEventFilter(this);
        deleteLater();
    }

    QWidget& window_;
    const Settings& settings_;
    WindowPositionKeys keys_;
    QPoint placedAt_;
};

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

void PlaceForShowing(QWidget& window, const Settings& settings, const WindowPositionKeys& keys) {
    MoveToStartPosition(window, settings, keys);
    // Placed again before an earlier frame ever came: one placer waits.
    delete window.findChild<QObject*>(QString::fromLatin1(kLateFramePlacer), Qt::FindDirectChildrenOnly);
    if (window.frameGeometry() == window.geometry()) new LateFramePlacer(window, settings, keys);
}

void ShowAtStartPosition(QWidget& window, const Settings& settings, const WindowPositionKeys& keys) {
    PlaceForShowing(window, settings, keys);
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
