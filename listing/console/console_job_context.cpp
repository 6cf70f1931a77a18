#include "listing/console/console_job_context.h"

#include <string_view>

#include "i18n/translation.h"
#include "listing/engine/listing_messages.h"
#include "platform/terminal.h"

namespace pelmora {

namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(250);

}  // namespace

std::string ForTerminal(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out.push_back(text[i]);
    }
    return out;
}

void ConsoleProgress::Open(const std::string& activity, bool) {
    open_ = true;
    activity_ = activity;
    started_ = std::chrono::steady_clock::now();
    nextShow_ = started_;
    Show();
}

void ConsoleProgress::SetActivity(const std::string& activity) {
    activity_ = activity;
    nextShow_ = std::chrono::steady_clock::now();
    Show();
}

void ConsoleProgress::Close() {
    if (open_ && onTerminal_) std::fputs("\r\033[K", stderr);
    open_ = false;
}

void ConsoleProgress::Pump() {
    if (open_ && onTerminal_ && std::chrono::steady_clock::now() >= nextShow_) Show();
}

void ConsoleProgress::Show() {
    if (!onTerminal_) return;
    const auto now = std::chrono::steady_clock::now();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now - started_).count();
    std::fprintf(stderr, "\r\033[K%s (%llds)", activity_.c_str(), static_cast<long long>(seconds));
    std::fflush(stderr);
    nextShow_ = now + kProgressInterval;
}

void ConsoleDialogs::ShowMessage(const std::string& text) {
    ++messageCount_;
    std::string_view shown = text;
    const std::string transferred = Translated(kTransferredToClipboard);
    if (shown.substr(0, transferred.size()) == transferred) {
        shown.remove_prefix(transferred.size());
        if (shown.substr(0, 2) == "\r\n") shown.remove_prefix(2);
        if (shown.empty()) return;
    }
    std::fprintf(stderr, "%s\n", ForTerminal(std::string(shown)).c_str());
}

bool ConsoleDialogs::AskYesNo(const std::string& text) {
    std::fprintf(stderr, "%s [y/N] ", ForTerminal(text).c_str());
    if (answerYes_) {
        std::fputs("y (--yes)\n", stderr);
        return true;
    }
    if (!inputIsTerminal_) {
        std::fputs("n (no terminal)\n", stderr);
        return false;
    }
    return ReadAnswerFromTerminal();
}

bool ConsoleDialogs::AskStopAtUnreadableFolder(const std::string& folder, const std::error_code& reason,
                                               const std::string& text) {
    bool stop = true;
    switch (unreadableRule_) {
        case UnreadableFolderRule::Skip: stop = false; break;
        case UnreadableFolderRule::Stop: stop = true; break;
        case UnreadableFolderRule::Ask:
            std::fprintf(stderr, "%s [y/N] ", ForTerminal(text).c_str());
            if (inputIsTerminal_) {
                stop = ReadAnswerFromTerminal();
            } else {
                std::fputs("y (no terminal)\n", stderr);
            }
            break;
    }
    unreadable_.push_back({folder, reason, !stop});
    return stop;
}

bool ConsoleDialogs::ReadAnswerFromTerminal() {
    std::fflush(stderr);
    const std::optional<std::string> line = platform::ReadStandardInputLine();
    if (!line) return false;
    const std::string& answer = *line;
    return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y' || answer.rfind("はい", 0) == 0);
}

void ConsoleDialogs::Beep() {
    if (inputIsTerminal_) std::fputs("\a", stderr);
}

void StandardOutputClipboard::SetText(const std::string& text) {
    if (held_) {
        heldText_ = std::make_shared<const std::string>(text);
    } else {
        Write(text);
    }
}

void StandardOutputClipboard::SetSharedText(const std::shared_ptr<const std::string>& text) {
    if (held_) {
        heldText_ = text;
    } else {
        Write(*text);
    }
}

bool StandardOutputClipboard::WriteHeld() {
    const bool written = heldText_ ? Write(*heldText_) : Write({});
    heldText_.reset();
    return written;
}

bool StandardOutputClipboard::Write(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        writeFailed_ = true;
    return !writeFailed_;
}

std::optional<std::string> SkippedSaveDialog::AskSavePath(const SaveRequest& request) {
    std::fprintf(stderr, "%s (%s)\n", note_.c_str(), request.proposedName.c_str());
    return std::nullopt;
}

}  // namespace pelmora
