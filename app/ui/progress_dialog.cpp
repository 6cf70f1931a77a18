#include "app/ui/progress_dialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/ui/main_window_names.h"
#include "app/ui/main_window_texts.h"
#include "common/window_placement.h"
#include "i18n/ui/translated_text.h"

namespace pelmora {

namespace {

int blinkState = 0;

constexpr int kDialogTopBelowMainTwips = 2300;

}  // namespace

int ProgressDialog::BlinkState() { return blinkState; }

ProgressDialog::ProgressDialog(CancelFlag& cancel, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      cancel_(cancel),
      mainWindow_(mainWindow) {
    setObjectName(main_window_names::kProgressDialog);
    setWindowTitle(QTranslated(texts::kProgressDialog));
    setWindowModality(Qt::NonModal);

    blinkLabel_ = new QLabel(QTranslated(texts::kProgressBlinkLabel), this);
    blinkLabel_->setObjectName(main_window_names::kProgressBlinkLabel);
    blinkLabel_->setAlignment(Qt::AlignCenter);
    // Keep the label's place while it is hidden so the dialog does not jump.
    QSizePolicy policy = blinkLabel_->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    blinkLabel_->setSizePolicy(policy);
    activityLabel_ = new QLabel(this);
    activityLabel_->setObjectName(main_window_names::kProgressActivityLabel);
    activityLabel_->setAlignment(Qt::AlignCenter);
    activityLabel_->setMinimumWidth(260);
    cancelButton_ = new QPushButton(QTranslated(texts::kProgressCancelButton), this);
    cancelButton_->setObjectName(main_window_names::kProgressCancelButton);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel_.Raise(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(blinkLabel_);
    layout->addWidget(activityLabel_);
    layout->addWidget(cancelButton_, 0, Qt::AlignHCenter);

    blinkTimer_ = new QTimer(this);
    blinkTimer_->setObjectName(main_window_names::kProgressBlinkTimer);
    blinkTimer_->setInterval(500);
    connect(blinkTimer_, &QTimer::timeout, this, &ProgressDialog::Blink);
}

void ProgressDialog::Blink() {
    if (blinkState == 1) {
        blinkState = 2;
        blinkLabel_->hide();
    } else {
        blinkState = 1;
        blinkLabel_->show();
    }
}

void ProgressDialog::Open(const std::string& activity, bool cancellable) {
    if (programEnding_) return;
    cancellable_ = cancellable;
    activityLabel_->setText(QString::fromUtf8(activity));
    cancelButton_->setVisible(cancellable);
    adjustSize();
    if (mainWindow_) {
        const QPoint mainTopLeft = mainWindow_->frameGeometry().topLeft();
        move(mainTopLeft.x(), mainTopLeft.y() + TwipsToPixels(kDialogTopBelowMainTwips, mainWindow_->logicalDpiY()));
    }
    show();
    raise();
    activateWindow();
    blinkTimer_->start();
    Pump();
}

void ProgressDialog::SetActivity(const std::string& activity) { activityLabel_->setText(QString::fromUtf8(activity)); }

void ProgressDialog::Close() {
    blinkTimer_->stop();
    hide();
}

void ProgressDialog::CloseForProgramEnd() {
    programEnding_ = true;
    Close();
}

bool ProgressDialog::IsOpen() const { return isVisible(); }

void ProgressDialog::Pump() { QCoreApplication::processEvents(); }

void ProgressDialog::closeEvent(QCloseEvent* event) {
    if (cancellable_) cancel_.Raise();
    event->ignore();
}

}  // namespace pelmora
