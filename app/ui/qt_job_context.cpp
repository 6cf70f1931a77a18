#include "app/ui/qt_job_context.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <algorithm>

#include "app/ui/main_window_texts.h"
#include "platform/file_system.h"

namespace pelmora {

namespace {

// Room the box needs beside its text for an icon and margins.
constexpr int kBoxRoomBesideText = 150;
// Room a window manager's title bar takes beside the title: the window's icon and its
// minimise, maximise and close buttons.
constexpr int kTitleBarRoom = 160;

// The width the box needs so that the title bar shows the whole title (title bars draw it
// bold as a rule), not "Pe…ora".
int WidthForTitle(const QMessageBox& box) {
    QFont titleFont = box.font();
    titleFont.setBold(true);
    return QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarRoom;
}

// A box wraps any text wider than half the screen, Japanese anywhere within a phrase. The
// messages end their lines themselves, so the box is made wide enough for its longest line,
// up to the widest box Qt allows on the screen.
void KeepLinesWhole(QMessageBox& box) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label) return;
    box.ensurePolished();
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString& line : box.text().split(u'\n')) {
        widest = std::max(widest, metrics.horizontalAdvance(QString(line).remove(u'\r')));
    }
    const int screenWidth = box.screen()->availableGeometry().width();
    const int widestBox = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    // A pixel of rounding in the label's own measure would break the line at its end.
    const int widestLabel = widestBox - kBoxRoomBesideText;
    label->setMinimumWidth(std::min(widest + metrics.averageCharWidth(), widestLabel));
    // The box is as wide as its layout needs: a short text gets the room the title needs.
    // The buttons may set the width first, so the label grows until the layout is wide enough.
    if (QLayout* layout = box.layout()) {
        for (int pass = 0; pass < 3; ++pass) {
            layout->invalidate();
            const int shortBy = WidthForTitle(box) - layout->totalMinimumSize().width();
            if (shortBy <= 0 || label->minimumWidth() >= widestLabel) break;
            label->setMinimumWidth(std::min(label->minimumWidth() + shortBy, widestLabel));
        }
    }
}

}  // namespace

void QtUserDialogs::Show(int icon, const std::string& text) {
    QMessageBox box(static_cast<QMessageBox::Icon>(icon), QString::fromUtf8(texts::kAppTitle),
                    QString::fromUtf8(text), QMessageBox::Ok, parent_);
    KeepLinesWhole(box);
    box.exec();
}

void QtUserDialogs::ShowMessage(const std::string& text) { Show(QMessageBox::NoIcon, text); }
void QtUserDialogs::ShowWarning(const std::string& text) { Show(QMessageBox::Warning, text); }
void QtUserDialogs::ShowError(const std::string& text) { Show(QMessageBox::Critical, text); }

bool QtUserDialogs::AskYesNo(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(texts::kAppTitle), QString::fromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    KeepLinesWhole(box);
    return box.exec() == QMessageBox::Yes;
}

void QtUserDialogs::Beep() { QApplication::beep(); }

void QtClipboardSink::SetText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QByteArray bytes = QByteArray::fromStdString(text);
    const QString decoded = QString::fromUtf8(bytes);
    if (decoded.toUtf8() == bytes) {
        clipboard->setText(decoded);
        return;
    }
    auto* data = new QMimeData;
    data->setData("text/plain", bytes);
    data->setData("text/plain;charset=utf-8", bytes);
    clipboard->setMimeData(data);
}

void QtClipboardSink::Clear() { QGuiApplication::clipboard()->clear(); }

QStringList SaveDialogNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromUtf8(filter).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        if (pattern == "*.*") pattern = "*";
        filters << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
    }
    return filters;
}

std::optional<std::string> QtSaveDialog::AskSavePath(const SaveRequest& request) {
    const std::string start = request.startFolder.empty() ? platform::HomeFolder() : request.startFolder;
    QFileDialog dialog(parent_, QString::fromUtf8(request.title), QFile::decodeName(QByteArray::fromStdString(start)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setNameFilters(SaveDialogNameFilters(request.filter));
    dialog.selectFile(QString::fromUtf8(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

}  // namespace pelmora
