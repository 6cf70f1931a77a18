#include "tools/aclview/ui/acl_view_window.h"

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include "common/window_placement.h"
#include "tests/tools/aclview/fake_security.h"
#include "tests/tools/common/ui/tool_window_fixture.h"
#include "settings/ini_access.h"
#include "tools/aclview/acl_text.h"
#include "tools/aclview/ui/acl_view_names.h"
#include "tools/common/ui/middle_elided_label.h"

namespace pelmora {

namespace names = acl_view_names;

namespace {

using testing::FakeSecurity;

QStringList Lines(const std::vector<std::string>& lines) {
    QStringList list;
    for (const auto& line : lines) list << QString::fromStdString(line);
    return list;
}

}  // namespace

class AclViewWindowTest : public QObject {
    Q_OBJECT

private:
    testing::ToolWindowFolder folder_;
    const std::string ini_ = folder_.ini;

    static QStringList ListLines(const AclViewWindow& w) {
        QStringList lines;
        auto* list = w.findChild<QListWidget*>(names::kAccessList);
        for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
        return lines;
    }
    static QString Label(const AclViewWindow& w) { return w.findChild<QLabel*>(names::kPathLabel)->text(); }
private slots:
    void showsTheEntriesOfARealFile() {
        Settings settings;
        AclViewWindow w(settings, ini_);
        w.OpenAtPlacement();
        QCOMPARE(w.objectName(), QString(names::kWindow));
        QCOMPARE(w.windowTitle(), QStringLiteral("ACLView"));
        QCOMPARE(Label(w), QStringLiteral("Path:[ ]"));
        QVERIFY(ListLines(w).isEmpty());
        // A long path is cut in the middle, as HexView's test checks.
        QVERIFY(w.findChild<MiddleElidedLabel*>(names::kPathLabel));

        const std::string path = folder_.WriteFile("some file.txt");
        QFile::setPermissions(QString::fromStdString(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        w.FollowPath(path);
        QCOMPARE(Label(w), QString::fromStdString("Path:[ " + path + " ]"));
        const QStringList lines = ListLines(w);
        QCOMPARE(lines, Lines(AclLines(path, platform::SystemSecurityService())));
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].endsWith("RWDPO"));
        QCOMPARE(lines[2], QString("Everyone").leftJustified(34) + QString::fromUtf8("特別なアクセス権"));
    }

    void failuresAreOneLineAndTheLabelStillShowsThePath() {
        Settings settings;
        FakeSecurity security;
        security.keeps = false;
        AclViewWindow w(settings, ini_, security);
        w.ShowAclOfPath("/media/usb/a.txt");
        QCOMPARE(Label(w), QStringLiteral("Path:[ /media/usb/a.txt ]"));
        QCOMPARE(ListLines(w), QStringList{QString::fromUtf8("ドライブがNTFSではありません")});

        // Each call replaces the whole list.
        security.keeps = true;
        security.entries = {{platform::AccessEntryType::Denied, 0x001F01FF, "guest"}};
        w.ShowAclOfPath("/data/b.txt");
        QCOMPARE(ListLines(w), QStringList{QString("guest").leftJustified(34) + QString::fromUtf8("アクセス権なし")});
        w.ShowAclOfPath("/no/such/file");
        QCOMPARE(ListLines(w).size(), 1);
    }

    void listIsFixedPitchAndWideEnoughForTheLongestLine() {
        Settings settings;
        AclViewWindow w(settings, ini_);
        w.OpenAtPlacement();
        auto* list = w.findChild<QListWidget*>(names::kAccessList);
        QVERIFY(QFontInfo(list->font()).fixedPitch());
        const QString longest = QString(34, 'W') + QString::fromUtf8("特別なアクセス権");
        QVERIFY(list->viewport()->width() >= QFontMetrics(list->font()).horizontalAdvance(longest));
        // A long path does not widen the fixed window.
        const QSize before = w.size();
        w.ShowAclOfPath(std::string(400, 'p'));
        QCOMPARE(w.size(), before);
    }

    void dropShowsTheFirstFileOnly() {
        Settings settings;
        FakeSecurity security;
        AclViewWindow w(settings, ini_, security);
        w.OpenAtPlacement();
        auto* files = new QMimeData;
        files->setUrls({QUrl::fromLocalFile("/x/one.txt"), QUrl::fromLocalFile("/x/two.txt"),
                        QUrl::fromLocalFile("/x/three.txt")});
        testing::Drop(w, files);
        QCOMPARE(Label(w), QStringLiteral("Path:[ /x/one.txt ]"));
        auto* text = new QMimeData;
        text->setText("/x/two.txt");
        testing::Drop(w, text);
        QCOMPARE(Label(w), QStringLiteral("Path:[ /x/one.txt ]"));
        delete files;
        delete text;
        for (QWidget* child : w.findChildren<QWidget*>()) QVERIFY2(!child->acceptDrops(), qPrintable(child->objectName()));
    }

    void placementAndCloseKeepThePosition() {
        Settings settings;
        settings.ACL_LastFormPosition = "1";
        settings.ACL_FormLeft = 0;  // not inside: centred
        settings.ACL_FormTop = 600;
        auto* w = new AclViewWindow(settings, ini_);
        QSignalSpy closed(w, &AclViewWindow::closed);
        w->OpenAtPlacement();
        const QRect screen = w->screen()->geometry();
        const QPoint off = screen.center() - w->frameGeometry().center();
        QVERIFY(std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1);

        w->move(screen.topLeft() + QPoint(50, 20));
        w->close();
        QCOMPARE(closed.count(), 1);
        const double dpi = w->logicalDpiX();
        QCOMPARE(settings.ACL_FormLeft, PixelsToTwips(50, dpi));
        QCOMPARE(settings.ACL_FormTop, PixelsToTwips(20, dpi));
        QCOMPARE(ReadIniInt("ACLView", "ACL_FormLeft", ini_), settings.ACL_FormLeft);
        QCOMPARE(ReadIniInt("ACLView", "ACL_FormTop", ini_), settings.ACL_FormTop);

        // Reopened in the same run it comes back where it was closed, with an empty list.
        w->ShowAclOfPath("/x");
        w->OpenAtPlacement();
        QCOMPARE(w->frameGeometry().topLeft(), screen.topLeft() + QPoint(50, 20));
        QCOMPARE(Label(*w), QStringLiteral("Path:[ ]"));
        QVERIFY(ListLines(*w).isEmpty());

        settings.ACL_LastFormPosition = "0";
        w->OpenAtPlacement();
        const QPoint centred = screen.center() - w->frameGeometry().center();
        QVERIFY(std::abs(centred.x()) <= 1 && std::abs(centred.y()) <= 1);
        delete w;
    }
};

}  // namespace pelmora

QTEST_MAIN(pelmora::AclViewWindowTest)
#include "acl_view_window_test.moc"
