#include "common/ui/credential_questions.h"

#include <QApplication>
#include <QCursor>

#include <algorithm>
#include <cctype>
#include <optional>
#include <utility>

#include "platform/smb_credentials.h"

namespace pelmora {

namespace {

bool SameServer(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

CredentialQuestions& CredentialQuestions::OfWindow() {
    static CredentialQuestions questions;
    return questions;
}

bool CredentialQuestions::CanAsk() const {
    const platform::SmbCredentialAsker* asker = platform::SmbCredentialStore::ForThisRun().Asker();
    return asker != nullptr && asker->CanAskOnThisThread();
}

void CredentialQuestions::Ask(const std::string& server, const std::string& share, bool again, Answered answered) {
    waiting_.push_back({server, share, again, std::move(answered)});
    // A question asked from inside an open dialog's events waits for the loop below.
    if (!inTurn_) AskInTurn();
}

void CredentialQuestions::AskInTurn() {
    inTurn_ = true;
    while (!waiting_.empty()) {
        Waiting first = std::move(waiting_.front());
        waiting_.erase(waiting_.begin());
        platform::SmbCredentialStore& store = platform::SmbCredentialStore::ForThisRun();
        platform::SmbCredentialAsker* asker = store.Asker();
        std::optional<platform::SmbCredentials> answer;
        if (asker != nullptr && asker->CanAskOnThisThread()) {
            asking_ = true;
            QApplication::setOverrideCursor(Qt::ArrowCursor);
            answer = asker->Ask(first.server, first.share, first.again);
            QApplication::restoreOverrideCursor();
            asking_ = false;
        }
        const bool given = answer.has_value();
        if (answer) store.Remember(first.server, std::move(*answer));
        // Everyone who waited for this server has the same answer; the others are asked next.
        std::vector<Answered> told{std::move(first.answered)};
        for (auto waiting = waiting_.begin(); waiting != waiting_.end();) {
            if (SameServer(waiting->server, first.server)) {
                told.push_back(std::move(waiting->answered));
                waiting = waiting_.erase(waiting);
            } else {
                ++waiting;
            }
        }
        for (Answered& answeredNow : told) answeredNow(given);
    }
    inTurn_ = false;
}

}  // namespace pelmora
