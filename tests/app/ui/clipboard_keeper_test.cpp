// The result stays on the clipboard after the program has ended, and the copy that keeps it
// goes away once another program takes the clipboard. Needs an X display (run under Xvfb);
// this test program doubles as the keeper it starts.

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QtTest>
#include <string_view>

#include "app/ui/clipboard_keeper.h"
#include "app/ui/qt_job_context.h"

using namespace pelmora;

namespace {

QString ClipboardText() { return QGuiApplication::clipboard()->text(); }

// This program started with it sets the clipboard once and ends, as any other program would.
const QString kTakeClipboard = "--take-clipboard";

int TakeClipboard(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QtClipboardSink sink;
    sink.Clear();
    sink.SetText("taken");
    // Owning the selection takes a round trip to the X server.
    const bool owns = QTest::qWaitFor([] { return QGuiApplication::clipboard()->ownsClipboard(); }, 3000);
    return owns ? 0 : 1;
}

}  // namespace

class ClipboardKeeperTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != "xcb") QSKIP("needs an X display");
    }

    void keeperHoldsTheTextUntilAnotherProgramTakesIt() {
        QProcess keeper;
        keeper.start(QCoreApplication::applicationFilePath(),
                     {QString::fromLatin1(kKeepClipboardOption.data()), "-platform", "xcb"});
        QVERIFY(keeper.waitForStarted());
        keeper.write("kept \xE4\xBC\x9A\xE8\xAD\xB0\r\n");
        keeper.closeWriteChannel();
        QVERIFY(keeper.waitForReadyRead(10000));
        QCOMPARE(keeper.readLine().trimmed(), QByteArray("owned"));
        QTRY_COMPARE(ClipboardText(), QString("kept 会議\r\n"));

        // Another Qt program takes the clipboard the way ours does (clear, then set).
        QCOMPARE(QProcess::execute(QCoreApplication::applicationFilePath(), {kTakeClipboard}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(keeper.state() == QProcess::NotRunning, 5000);
    }

    void programEndHandsItsLastResultToAKeeper() {
        QtClipboardSink().SetText("result\r\n");
        QTRY_VERIFY(QGuiApplication::clipboard()->ownsClipboard());
        KeepOwnedClipboardText();
        // The keeper owns it now, so the text outlives this program; this program knows it
        // before it ends, so its end asks no clipboard manager to save the text.
        QVERIFY(!QGuiApplication::clipboard()->ownsClipboard());
        QTRY_COMPARE(ClipboardText(), QString("result\r\n"));
        // Taking it back sends that keeper away.
        QtClipboardSink().SetText("done");
    }
};

int main(int argc, char** argv) {
    if (argc >= 2 && std::string_view(argv[1]) == kKeepClipboardOption) return RunClipboardKeeper(argc, argv);
    if (argc >= 2 && kTakeClipboard == argv[1]) return TakeClipboard(argc, argv);
    QGuiApplication app(argc, argv);
    ClipboardKeeperTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "clipboard_keeper_test.moc"
