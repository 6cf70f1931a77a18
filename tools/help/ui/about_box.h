#pragma once
// Form8, the About box: borderless, dark red, with the program's picture, name, version and
// home page. The box drags by its background, picture and texts; a double-click on the home
// page opens it in the default browser; "Close" closes the box.

#include <QColor>
#include <QWidget>

class QLabel;

namespace pelmora {

namespace platform {
class ProcessStarter;
}

class AboutBox : public QWidget {
    Q_OBJECT
public:
    static constexpr QColor kBackground{64, 0, 0};
    static constexpr QColor kNormalLink{224, 224, 224};
    static constexpr QColor kHighlight{192, 255, 255};

    AboutBox(const QIcon& picture, platform::ProcessStarter& starter, QWidget* parent);

    // Centred on the screen, shown.
    void Open();

signals:
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // A move over the background, the picture or the name and version.
    void PointerOverBackground(Qt::MouseButtons buttons);

    platform::ProcessStarter& starter_;
    QLabel* link_;
    QLabel* close_;
};

}  // namespace pelmora
