#include "app/dropped_run_services.h"

#include <QCoreApplication>
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "app/dropped_run_texts.h"

namespace pelmora {

void QuietProgress::Pump() {
    if (pumpEvents_ && QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

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

std::optional<std::string> NoDisplaySave::AskSavePath(const SaveRequest&) {
    std::cerr << texts::kNoDisplayForSaveDialog << '\n' << std::flush;
    return std::nullopt;
}

void StandardOutputClipboard::SetText(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
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
