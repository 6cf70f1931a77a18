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
#include "tests/support/core_dump_flags.h"

namespace pelmora {

class SmbCredentialsDialogTest : public QObject {
    Q_OBJECT

    // The texts of the dialog's labels, one after the other.
    static QString LabelTexts(const QDialog* dialog) {
        QStringList texts;
        for (const QLabel* label : dialog->findChildren<QLabel*>()) texts << label->text();
        return texts.join('\n');
    }

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
        QString labels;
        WhenShown([&](QDialog* dialog) {
            QCOMPARE(dialog->objectName(), QString(names::kSmbCredentialsDialog));
            labels = LabelTexts(dialog);
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
        // The answer's password is kept where core dumps leave it out.
        QVERIFY(testing::LeftOutOfCoreDumps(answer->password.View().data()));
        QVERIFY(hidden);
        QVERIFY(!refusedShown);
        QVERIFY2(labels.contains("//fileserver/docs"), qPrintable(labels));
    }

    void AskingAgainSaysTheAnswerWasRefusedAndCancelGivesNothing() {
        QtSmbCredentialAsker asker(nullptr);
        bool refusedShown = false;
        QString labels;
        WhenShown([&](QDialog* dialog) {
            refusedShown = dialog->findChild<QLabel*>(names::kSmbRefused) != nullptr;
            labels = LabelTexts(dialog);
            dialog->findChild<QLineEdit*>(names::kSmbUser)->setText("alice");
            dialog->reject();
        });
        // Asked for a server's list of shares: the server alone.
        QVERIFY(!asker.Ask("fileserver", "", true).has_value());
        QVERIFY(refusedShown);
        QVERIFY2(labels.contains("//fileserver") && !labels.contains("//fileserver/"), qPrintable(labels));
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
