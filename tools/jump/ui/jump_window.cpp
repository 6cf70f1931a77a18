#include "tools/jump/ui/jump_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "common/ui/window_dock.h"
#include "i18n/translation.h"
#include "i18n/ui/translated_text.h"
#include "listing/engine/job_context.h"
#include "tools/jump/jump_slots.h"
#include "tools/jump/jump_texts.h"
#include "tools/settings/settings_dialog_texts.h"
#include "tools/jump/ui/elided_path_button.h"
#include "tools/jump/ui/jump_names.h"

namespace pelmora {
namespace {

namespace names = jump_names;

QString Text(const char* text) { return QString::fromUtf8(text); }

}  // namespace

JumpWindow::JumpWindow(Settings& settings, std::string iniPath, JumpTarget target, QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(settings), iniPath_(std::move(iniPath)), target_(std::move(target)) {
    setObjectName(names::kWindow);
    setWindowTitle(Text(jump_texts::kWindowTitle));

    auto* frame = new QGroupBox(this);
    frame->setObjectName(names::kFrame);
    auto* rows = new QGridLayout(frame);
    for (int row = 1; row <= kJumpRows; ++row) {
        auto* number = new QLabel(QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0')), frame);
        number->setObjectName(names::RowLabel(row));
        auto* registerButton = new QPushButton(QTranslated(jump_texts::kRegisterButton), frame);
        registerButton->setObjectName(names::RegisterButton(row));
        auto* jumpButton = new ElidedPathButton(frame);
        jumpButton->setObjectName(names::JumpButton(row));
        jumpButtons_[static_cast<std::size_t>(row - 1)] = jumpButton;
        rows->addWidget(number, row - 1, 0);
        rows->addWidget(registerButton, row - 1, 1);
        rows->addWidget(jumpButton, row - 1, 2);
        connect(registerButton, &QPushButton::clicked, this, [this, row] { RegisterRow(row); });
        connect(jumpButton, &QPushButton::clicked, this, [this, row] { JumpToRow(row); });
    }
    rows->setColumnStretch(2, 1);

    auto* hint = new QLabel(QTranslated(jump_texts::kHint), this);
    hint->setObjectName(names::kHintLabel);
    QFont bold = hint->font();
    bold.setBold(true);
    hint->setFont(bold);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addStretch(1);
    layout->addWidget(hint);
    resize(340, height());

    dock_ = new WindowDock(*this, DockSide::Left);
}

void JumpWindow::ShowSlots() {
    for (int row = 1; row <= kJumpRows; ++row) {
        JumpButton(row)->SetFullText(
            QString::fromStdString(JumpButtonCaption(settings_.Jump[static_cast<std::size_t>(row - 1)])));
    }
}

void JumpWindow::ApplyJumpFont() {
    QFont font(QString::fromStdString(settings_.JumpFontName));
    bool isNumber = false;
    const double points = QString::fromStdString(settings_.JumpFontSize).trimmed().toDouble(&isNumber);
    // A size that is no number keeps the window's own size.
    font.setPointSizeF(isNumber && points > 0 ? points : this->font().pointSizeF());
    font.setBold(settings_.JumpFontBold == "1");
    font.setItalic(settings_.JumpFontItalic == "1");
    for (ElidedPathButton* button : jumpButtons_) button->setFont(font);
}

void JumpWindow::Open(QWidget& mainWindow) {
    ShowSlots();
    ApplyJumpFont();
    dock_->Open(mainWindow, settings_.ChaseJumpWindow == "1");
}

void JumpWindow::RegisterRow(int row) {
    if (!target_.currentFolder) return;
    const std::string folder = target_.currentFolder();
    switch (RegisterJumpFolder(settings_, row, folder, iniPath_)) {
        case JumpRegistration::PathTooLong:
            if (target_.dialogs) target_.dialogs->ShowMessage(Translated(jump_texts::kPathTooLong) + "\n" + folder);
            return;
        case JumpRegistration::NotSaved:
            // Kept for this run, as the settings dialog keeps its changes when its save fails.
            if (target_.dialogs) {
                target_.dialogs->ShowMessage(Translated(settings_dialog_texts::kSaveFailed) + "\n" + iniPath_);
            }
            break;
        case JumpRegistration::Registered:
            break;
    }
    JumpButton(row)->SetFullText(QString::fromStdString(folder));
}

void JumpWindow::JumpToRow(int row) {
    const std::string slot = settings_.Jump[static_cast<std::size_t>(row - 1)];
    if (JumpSlotIsBlank(slot) || !target_.browseFolder) return;
    target_.browseFolder(slot, [dialogs = target_.dialogs](std::error_code error) {
        if (error && dialogs) dialogs->ShowMessage(Translated(jump_texts::kJumpFailed));
    });
}

void JumpWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace pelmora
