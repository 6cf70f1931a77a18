#include "app/ui/qt_job_context.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>

#include "app/ui/main_window_texts.h"
#include "platform/file_system.h"

namespace pelmora {

void QtUserDialogs::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(texts::kAppTitle), QString::fromUtf8(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

bool QtUserDialogs::AskYesNo(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(texts::kAppTitle), QString::fromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
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
