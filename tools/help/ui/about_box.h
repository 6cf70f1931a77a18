#pragma once
// Form8, the About box: borderless, dark red, with the program's picture, name, version and
// the documentation. It stays above its main window. The box drags by its background,
// picture and texts; a double-click on the documentation opens it; "Close" closes the box.

#include <QColor>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <optional>

class QLabel;
class QMouseEvent;

namespace pelmora {

class AboutBox : public QWidget {
    Q_OBJECT
public:
    static constexpr QColor kBackground{64, 0, 0};
    static constexpr QColor kNormalLink{224, 224, 224};
    static constexpr QColor kHighlight{192, 255, 255};

    // openDocumentation: what a double-click on the documentation label does.
    AboutBox(const QIcon& picture, std::function<void()> openDocumentation, QWidget* parent);

    // Centred on the screen, shown.
    void Open();

    // The documentation label names the file the double-click opens.
    void SetLinkText(const QString& text);

signals:
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // A move over the background, the picture or the name and version.
    void PointerOverBackground(const QMouseEvent& event);
    void StartDrag(const QMouseEvent& event);
    void DragTo(const QMouseEvent& event);
    void EndDrag(const QMouseEvent& event);

    std::function<void()> openDocumentation_;
    std::optional<QPoint> dragOffset_;  // pointer minus box position while the left button drags
    QLabel* link_;
    QLabel* close_;
};

}  // namespace pelmora
