// The window thread's credential questions: a reading refused while a dialog is open waits
// for it and takes its answer for the same server; another server is asked afterwards.

#include <QtTest>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/ui/credential_questions.h"
#include "platform/smb_credentials.h"

using namespace pelmora;

namespace {

// Stands in for the dialog: each question may run the events of an open dialog (other
// readings ending meanwhile), then gives its scripted answer.
class DialogAsker : public platform::SmbCredentialAsker {
public:
    std::optional<platform::SmbCredentials> Ask(const std::string& server, const std::string&, bool again) override {
        questions.push_back(server + (again ? " again" : ""));
        ++open;
        if (whileOpen) {
            auto inside = std::move(whileOpen);
            inside();
        }
        --open;
        if (answers.empty()) return std::nullopt;
        std::optional<platform::SmbCredentials> answer = std::move(answers.front());
        answers.erase(answers.begin());
        return answer;
    }
    std::vector<std::optional<platform::SmbCredentials>> answers;
    std::function<void()> whileOpen;
    std::vector<std::string> questions;
    int open = 0;
};

}  // namespace

class CredentialQuestionsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        platform::SmbCredentialStore& store = platform::SmbCredentialStore::ForThisRun();
        store.SetAsker(nullptr);
        for (const char* server : {"nas", "other"}) store.Forget(server);
    }

    void aQuestionAskedWhileADialogIsOpenWaitsForItsAnswer() {
        DialogAsker asker;
        platform::SmbCredentialStore::ForThisRun().SetAsker(&asker);
        CredentialQuestions& questions = CredentialQuestions::OfWindow();
        asker.answers = {platform::SmbCredentials{"ann", "", "first"}, platform::SmbCredentials{"bob", "", "second"}};
        std::vector<std::string> told;
        const auto tell = [&](std::string who) {
            return [&told, &asker, who](bool given) {
                told.push_back(who + (given ? " given" : " refused") + (asker.open > 0 ? " inside a dialog" : ""));
            };
        };
        asker.whileOpen = [&] {
            QVERIFY(questions.Asking());
            questions.Ask("NAS", "music", true, tell("second reading of nas"));
            questions.Ask("other", "", false, tell("reading of other"));
            QCOMPARE(asker.questions.size(), 1u);  // no second dialog inside the first
        };
        questions.Ask("nas", "docs", false, tell("first reading of nas"));

        QCOMPARE(asker.questions, (std::vector<std::string>{"nas", "other"}));
        QCOMPARE(told, (std::vector<std::string>{"first reading of nas given", "second reading of nas given",
                                                 "reading of other given"}));
        QVERIFY(!questions.Asking());
        const auto nas = platform::SmbCredentialStore::ForThisRun().Find("nas");
        QVERIFY(nas);
        QCOMPARE(nas->user, std::string("ann"));
        QCOMPARE(platform::SmbCredentialStore::ForThisRun().Find("other")->user, std::string("bob"));
    }

    void aDialogGivenUpRefusesEveryoneWhoWaitedForIt() {
        DialogAsker asker;
        platform::SmbCredentialStore::ForThisRun().SetAsker(&asker);
        CredentialQuestions& questions = CredentialQuestions::OfWindow();
        std::vector<bool> told;
        asker.whileOpen = [&] { questions.Ask("nas", "", false, [&](bool given) { told.push_back(given); }); };
        questions.Ask("nas", "docs", false, [&](bool given) { told.push_back(given); });
        QCOMPARE(asker.questions.size(), 1u);
        QCOMPARE(told, (std::vector<bool>{false, false}));
        QVERIFY(!platform::SmbCredentialStore::ForThisRun().Find("nas"));

        // Nobody to ask: refused at once, and the window knows beforehand.
        platform::SmbCredentialStore::ForThisRun().SetAsker(nullptr);
        QVERIFY(!questions.CanAsk());
        questions.Ask("nas", "", false, [&](bool given) { told.push_back(given); });
        QCOMPARE(told.size(), 3u);
        QVERIFY(!told.back());
    }
};

QTEST_MAIN(CredentialQuestionsTest)
#include "credential_questions_test.moc"
