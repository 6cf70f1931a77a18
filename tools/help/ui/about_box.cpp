#include "tools/help/ui/about_box.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include "platform/process_starter.h"
#include "tools/help/help_texts.h"
#include "tools/help/ui/about_names.h"

namespace pelmora {
namespace {

namespace names = about_names;

void SetTextColour(QLabel& label, const QColor& colour) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

QLabel* AddLabel(QWidget* box, const char* name, const QString& text) {
    auto* label = new QLabel(text, box);
    label->setObjectName(name);
    label->setMouseTracking(true);
    label->installEventFilter(box);
    SetTextColour(*label, Qt::white);
    return label;
}

// The system moves the box as if its title bar were dragged.
void DragWindow(QWidget& box) {
    if (QWindow* window = box.windowHandle()) window->startSystemMove();
}

}  // namespace

AboutBox::AboutBox(const QIcon& picture, platform::ProcessStarter& starter, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), starter_(starter) {
    setObjectName(names::kWindow);
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);

    QLabel* image = AddLabel(this, names::kPicture, {});
    image->setPixmap(picture.pixmap(32, 32));
    QLabel* product = AddLabel(this, names::kProductLabel, QString::fromUtf8(help_texts::kProductName));
    QFont large = product->font();
    large.setPointSize(20);
    large.setBold(true);
    product->setFont(large);
    AddLabel(this, names::kVersionLabel,
             QString::fromUtf8(help_texts::kVersionPrefix) + QStringLiteral(PELMORA_VERSION));
    link_ = AddLabel(this, names::kLinkLabel, QStringLiteral(PELMORA_HOMEPAGE));
    link_->setToolTip(QString::fromUtf8(help_texts::kLinkTip));
    link_->setCursor(Qt::PointingHandCursor);
    close_ = AddLabel(this, names::kCloseLabel, QString::fromUtf8(help_texts::kClose));
    close_->setAlignment(Qt::AlignCenter);
    close_->setAutoFillBackground(true);
    QPalette grey = close_->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    close_->setPalette(grey);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    auto* top = new QHBoxLayout;
    top->addWidget(image);
    top->addWidget(product, 1);
    layout->addLayout(top);
    layout->addWidget(findChild<QLabel*>(names::kVersionLabel));
    layout->addWidget(link_);
    layout->addSpacing(8);
    layout->addWidget(close_);
}

void AboutBox::Open() {
    ensurePolished();
    adjustSize();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    show();
    raise();
}

void AboutBox::PointerOverBackground(Qt::MouseButtons buttons) {
    if (buttons & Qt::LeftButton) {
        DragWindow(*this);
        return;
    }
    SetTextColour(*link_, kNormalLink);
    SetTextColour(*close_, kNormalLink);
}

void AboutBox::mouseMoveEvent(QMouseEvent* event) { PointerOverBackground(event->buttons()); }

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        const Qt::MouseButtons buttons = static_cast<QMouseEvent*>(event)->buttons();
        if (watched == close_) {
            SetTextColour(*close_, kHighlight);
        } else if (watched == link_) {
            if (buttons & Qt::LeftButton) DragWindow(*this);
            else SetTextColour(*link_, kHighlight);
        } else {
            PointerOverBackground(buttons);
        }
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick && watched == link_) {
        starter_.OpenWithDefaultProgram(link_->text().toStdString());
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && watched == close_ &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void AboutBox::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace pelmora
