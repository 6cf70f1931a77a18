// The window's credential dialog for network shares.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <thread>

#include "app/ui/smb_credentials_dialog.h"
#include "app/ui/smb_credentials_dialog_names.h"

namespace pelmora {

class SmbCredentialsDialogTest : public QObject {
    Q_OBJECT

    // Runs answer on the dialog once it shows.
    template <typename Answer>
    static void WhenShown(Answer answer) {
        QTimer::singleShot(0, [answer] {
            QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() != nullptr, 5000);
            answer(qobject_cast<QDialog*>(QApplication::activeModalWidget()));
        });
    }

private slots:
    void TheAnswerGivesUserDomainAndPasswordAndHidesThePassword() {
        QtSmbCredentialAsker asker(nullptr);
        QVERIFY(asker.CanAskOnThisThread());
        bool hidden = false, refusedShown = true;
        WhenShown([&](QDialog* dialog) {
            QCOMPARE(dialog->objectName(), QString(names::kSmbCredentialsDialog));
            auto* password = dialog->findChild<QLineEdit*>(names::kSmbPassword);
            hidden = password->echoMode() == QLineEdit::Password;
            refusedShown = dialog->findChild<QLabel*>(names::kSmbRefused) != nullptr;
            dialog->findChild<QLineEdit*>(names::kSmbUser)->setText("alice");
            dialog->findChild<QLineEdit*>(names::kSmbDomain)->setText("OFFICE");
            password->setText("s3cret");
            dialog->accept();
        });
        const auto answer = asker.Ask("fileserver", "docs", false);
        QVERIFY(answer.has_value());
        QCOMPARE(answer->user, std::string("alice"));
        QCOMPARE(answer->domain, std::string("OFFICE"));
        QCOMPARE(answer->password, std::string("s3cret"));
        QVERIFY(hidden);
        QVERIFY(!refusedShown);
    }

    void AskingAgainSaysTheAnswerWasRefusedAndCancelGivesNothing() {
        QtSmbCredentialAsker asker(nullptr);
        bool refusedShown = false;
        WhenShown([&](QDialog* dialog) {
            refusedShown = dialog->findChild<QLabel*>(names::kSmbRefused) != nullptr;
            dialog->findChild<QLineEdit*>(names::kSmbUser)->setText("alice");
            dialog->reject();
        });
        QVERIFY(!asker.Ask("fileserver", "docs", true).has_value());
        QVERIFY(refusedShown);
    }

    void AWorkerThreadCannotAsk() {
        QtSmbCredentialAsker asker(nullptr);
        bool can = true;
        std::thread worker([&] { can = asker.CanAskOnThisThread(); });
        worker.join();
        QVERIFY(!can);
    }
};

}  // namespace pelmora

QTEST_MAIN(pelmora::SmbCredentialsDialogTest)
#include "smb_credentials_dialog_test.moc"
