#pragma once
// The window thread's questions for a server's credentials, asked after a reading beside the
// window was refused (those threads cannot show a dialog). One dialog at a time: a reading
// refused while a question is open waits for it, and takes its answer when it was about the
// same server, rather than opening a second dialog inside the first.

#include <functional>
#include <string>
#include <vector>

namespace pelmora {

class CredentialQuestions {
public:
    // Told whether credentials were given (they are in the run's credential store by then).
    using Answered = std::function<void(bool given)>;

    // The one set of questions of the window thread.
    static CredentialQuestions& OfWindow();

    // Whether the run's asker can ask here at all; without it a refusal stays a refusal.
    bool CanAsk() const;

    // Asks the store's asker about the server, or waits for the open question. `answered`
    // runs on the window thread once the question is over, perhaps before Ask returns; a
    // caller that may be gone by then guards its own pointer.
    void Ask(const std::string& server, const std::string& share, bool again, Answered answered);

    // True while a dialog is open.
    bool Asking() const { return asking_; }
    // Readings wait for the open question (or their own, after it).
    bool SomeoneWaits() const { return !waiting_.empty(); }

private:
    struct Waiting {
        std::string server;
        std::string share;
        bool again;
        Answered answered;
    };
    void AskInTurn();

    std::vector<Waiting> waiting_;
    bool asking_ = false;
    bool inTurn_ = false;
};

}  // namespace pelmora
