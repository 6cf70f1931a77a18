#include "app/dropped_run_services.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QString>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <vector>

#include "app/dropped_run_texts.h"
#include "app/main_window_texts.h"
#include "platform/file_system.h"

namespace pelmora {

namespace {

QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::vector<std::string> SplitAt(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    std::string::size_type start = 0;
    for (;;) {
        auto end = text.find(separator, start);
        pieces.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return pieces;
        start = end + 1;
    }
}

}  // namespace

void QuietProgress::Pump() {
    if (pumpEvents_ && QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

void MessageBoxDialogs::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, texts::kAppTitle, ToQString(WithPlainLineFeeds(text)), QMessageBox::Ok);
    box.exec();
}

bool MessageBoxDialogs::AskYesNo(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, texts::kAppTitle, ToQString(WithPlainLineFeeds(text)),
                    QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxDialogs::Beep() { QApplication::beep(); }

void ConsoleDialogs::ShowMessage(const std::string& text) {
    std::cerr << WithPlainLineFeeds(text) << '\n' << std::flush;
}

bool ConsoleDialogs::AskYesNo(const std::string& text) {
    std::cerr << WithPlainLineFeeds(text) << " [y/N] " << std::flush;
    if (!isatty(STDIN_FILENO)) {
        std::cerr << '\n' << texts::kNoDisplayQuestionAnsweredNo << '\n' << std::flush;
        return false;
    }
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "はい";
}

void ConsoleDialogs::Beep() {
    if (isatty(STDERR_FILENO)) std::cerr << '\a' << std::flush;
}

std::optional<std::string> FileDialogSave::AskSavePath(const SaveRequest& request) {
    const std::string folder = request.startFolder.empty() ? platform::HomeFolder() : request.startFolder;
    const QString chosen = QFileDialog::getSaveFileName(
        nullptr, ToQString(request.title), ToQString(platform::JoinPath(folder, request.proposedName)),
        ToQString(FileDialogFilter(request.filter)));
    if (chosen.isEmpty()) return std::nullopt;
    return QFile::encodeName(chosen).toStdString();
}

std::optional<std::string> NoDisplaySave::AskSavePath(const SaveRequest&) {
    std::cerr << texts::kNoDisplayForSaveDialog << '\n' << std::flush;
    return std::nullopt;
}

void StandardOutputClipboard::SetText(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

std::string FileDialogFilter(const std::string& pairs) {
    const std::vector<std::string> pieces = SplitAt(pairs, '|');
    std::string filter;
    for (size_t i = 0; i + 1 < pieces.size(); i += 2) {
        std::string patterns;
        for (const std::string& pattern : SplitAt(pieces[i + 1], ';')) {
            if (pattern.empty()) continue;
            if (!patterns.empty()) patterns += ' ';
            patterns += pattern == "*.*" ? "*" : pattern;
        }
        if (patterns.empty()) continue;
        if (!filter.empty()) filter += ";;";
        filter += pieces[i] + " (" + patterns + ")";
    }
    return filter;
}

std::string WithPlainLineFeeds(const std::string& text) {
    std::string plain;
    plain.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        plain += text[i];
    }
    return plain;
}

}  // namespace pelmora
