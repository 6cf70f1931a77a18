// The folder list opening a folder of a share that asks for a password, with a style that
// activates items on a single click: one click opens the folder once and asks once.

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QProxyStyle>
#include <QTimer>
#include <QtTest>

#include <filesystem>

#include "app/ui/folder_list_widget.h"
#include "app/ui/smb_credentials_dialog.h"
#include "app/ui/smb_credentials_dialog_names.h"
#include "platform/smb_credentials.h"
#include "platform/smb_file_system.h"
#include "tests/support/deadlock_watchdog.h"
#include "tests/support/smb_test_server.h"

extern "C" const char* __lsan_default_suppressions() { return pelmora::testing::kSmbClientLeakSuppressions; }

namespace pelmora {

namespace {

class SingleClickStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == QStyle::SH_ItemView_ActivateItemOnSingleClick) return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

}  // namespace

class FolderListSmbTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        server_ = std::make_unique<testing::SmbTestServer>();
        QVERIFY2(server_->Started(), qPrintable(QString::fromStdString(server_->Log())));
        std::filesystem::create_directory(server_->SecureFolder() + "/inner");
    }

    void cleanup() {
        platform::SmbCredentialStore::ForThisRun().SetAsker(nullptr);
        platform::SmbCredentialStore::ForThisRun().Forget("127.0.0.1");
    }

    void OneClickOpensTheFolderOnceAndAsksOnce() {
        testing::DeadlockWatchdog watchdog(std::chrono::seconds(60));
        SingleClickStyle style;
        FolderListWidget list;
        list.setStyle(&style);
        list.resize(300, 200);
        list.ShowFolder("//127.0.0.1/secure", {"inner"});
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        QtSmbCredentialAsker asker(&list);
        platform::SmbCredentialStore::ForThisRun().SetAsker(&asker);
        // The user answers every dialog that shows, and the answers are counted.
        int dialogs = 0;
        QTimer answerer;
        connect(&answerer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) return;
            ++dialogs;
            dialog->findChild<QLineEdit*>(names::kSmbUser)->setText(QString::fromStdString(server_->User()));
            dialog->findChild<QLineEdit*>(names::kSmbPassword)->setText(testing::SmbTestServer::kSecurePassword);
            dialog->accept();
        });
        answerer.start(10);

        int opened = 0, failed = 0;
        connect(&list, &FolderListWidget::folderClicked, [&](const std::string& path) {
            ++opened;
            std::error_code error;
            if (!platform::SmbFileSystem().OpenFolderAt(path, error)) ++failed;
        });
        QListWidgetItem* inner = list.item(list.count() - 1);
        QCOMPARE(inner->text(), QString("inner"));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(inner).center());

        // A second open queued by the same click runs inside the first one's question, so
        // it has happened by the time the first open is counted.
        QTRY_VERIFY_WITH_TIMEOUT(opened >= 1, 20000);
        QCOMPARE(opened, 1);
        QCOMPARE(failed, 0);
        QCOMPARE(dialogs, 1);
    }

private:
    std::unique_ptr<testing::SmbTestServer> server_;
};

}  // namespace pelmora

QTEST_MAIN(pelmora::FolderListSmbTest)
#include "folder_list_smb_test.moc"
