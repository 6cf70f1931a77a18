#include "app/ui/progress_dialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/ui/main_window_texts.h"
#include "common/window_placement.h"

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
    setObjectName("Form2");
    setWindowTitle(QString::fromUtf8(texts::kForm2));
    setWindowModality(Qt::NonModal);

    label1_ = new QLabel(QString::fromUtf8(texts::kForm2Label1), this);
    label1_->setObjectName("Label1");
    label1_->setAlignment(Qt::AlignCenter);
    // Keep the label's place while it is hidden so the dialog does not jump.
    QSizePolicy policy = label1_->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    label1_->setSizePolicy(policy);
    label2_ = new QLabel(this);
    label2_->setObjectName("Label2");
    label2_->setAlignment(Qt::AlignCenter);
    label2_->setMinimumWidth(260);
    command1_ = new QPushButton(QString::fromUtf8(texts::kForm2Command1), this);
    command1_->setObjectName("Command1");
    connect(command1_, &QPushButton::clicked, this, [this] { cancel_.Raise(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addWidget(label2_);
    layout->addWidget(command1_, 0, Qt::AlignHCenter);

    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(500);
    connect(timer1_, &QTimer::timeout, this, &ProgressDialog::Blink);
}

void ProgressDialog::Blink() {
    if (blinkState == 1) {
        blinkState = 2;
        label1_->hide();
    } else {
        blinkState = 1;
        label1_->show();
    }
}

void ProgressDialog::Open(const std::string& activity, bool cancellable) {
    cancellable_ = cancellable;
    label2_->setText(QString::fromUtf8(activity));
    command1_->setVisible(cancellable);
    adjustSize();
    if (mainWindow_) {
        const QPoint mainTopLeft = mainWindow_->frameGeometry().topLeft();
        move(mainTopLeft.x(), mainTopLeft.y() + TwipsToPixels(kDialogTopBelowMainTwips, mainWindow_->logicalDpiY()));
    }
    show();
    raise();
    activateWindow();
    timer1_->start();
    Pump();
}

void ProgressDialog::SetActivity(const std::string& activity) { label2_->setText(QString::fromUtf8(activity)); }

void ProgressDialog::Close() {
    timer1_->stop();
    hide();
}

bool ProgressDialog::IsOpen() const { return isVisible(); }

void ProgressDialog::Pump() { QCoreApplication::processEvents(); }

void ProgressDialog::closeEvent(QCloseEvent* event) {
    if (cancellable_) cancel_.Raise();
    event->ignore();
}

}  // namespace pelmora
