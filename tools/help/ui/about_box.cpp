#include "tools/help/ui/about_box.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "i18n/ui/translated_text.h"
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

}  // namespace

// A dialog of its parent: the window manager keeps it above the main window, which is the
// only way back to a box without a title bar or task-bar entry.
AboutBox::AboutBox(const QIcon& picture, std::function<void()> openDocumentation, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint), openDocumentation_(std::move(openDocumentation)) {
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
    link_ = AddLabel(this, names::kLinkLabel, QString::fromUtf8(help_texts::kReadmeName));
    link_->setToolTip(QTranslated(help_texts::kLinkTip));
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

void AboutBox::SetLinkText(const QString& text) { link_->setText(text); }

void AboutBox::PointerOverBackground(const QMouseEvent& event) {
    if (dragOffset_) {
        DragTo(event);
        return;
    }
    SetTextColour(*link_, kNormalLink);
    SetTextColour(*close_, kNormalLink);
}

// The box moves itself rather than asking the window manager to: a move handed to the
// manager can miss the release and go on following the pointer.
void AboutBox::StartDrag(const QMouseEvent& event) {
    if (event.button() == Qt::LeftButton) dragOffset_ = event.globalPosition().toPoint() - pos();
}

void AboutBox::DragTo(const QMouseEvent& event) {
    if (!(event.buttons() & Qt::LeftButton)) {
        dragOffset_.reset();
        return;
    }
    move(event.globalPosition().toPoint() - *dragOffset_);
}

void AboutBox::EndDrag(const QMouseEvent& event) {
    if (event.button() == Qt::LeftButton) dragOffset_.reset();
}

void AboutBox::mousePressEvent(QMouseEvent* event) { StartDrag(*event); }
void AboutBox::mouseMoveEvent(QMouseEvent* event) { PointerOverBackground(*event); }
void AboutBox::mouseReleaseEvent(QMouseEvent* event) { EndDrag(*event); }

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    // Every label but "Close" drags the box like its background.
    const bool draggable = watched != close_;
    if (event->type() == QEvent::MouseButtonPress && draggable) {
        StartDrag(*static_cast<QMouseEvent*>(event));
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && draggable) {
        EndDrag(*static_cast<QMouseEvent*>(event));
        return true;
    }
    if (event->type() == QEvent::MouseMove) {
        const auto& move = *static_cast<QMouseEvent*>(event);
        if (watched == close_) {
            SetTextColour(*close_, kHighlight);
        } else if (watched == link_ && !dragOffset_) {
            SetTextColour(*link_, kHighlight);
        } else {
            PointerOverBackground(move);
        }
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick && watched == link_) {
        dragOffset_.reset();
        if (openDocumentation_) openDocumentation_();
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
