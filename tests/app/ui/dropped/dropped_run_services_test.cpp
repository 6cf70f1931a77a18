// The pieces of the run without a window that do not need a real display: the choice of
// Qt's platform, the standard streams, and the clipboard's fallback when no keeper can
// own the clipboard. The real clipboard is tested under Xvfb by dropped_run_test.sh.
#include <QApplication>
#include <QTest>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/ui/clipboard_keeper.h"
#include "app/ui/display_platform.h"
#include "app/ui/dropped_run_services.h"
#include "app/ui/dropped_run_texts.h"
#include "i18n/translation.h"
#include "listing/console/console_job_context.h"
#include "tests/support/fake_job_context.h"

using namespace pelmora;

namespace {

// Standard output of the test process captured in a file for the duration of a call.
class CapturedStandardOutput {
public:
    CapturedStandardOutput() {
        std::fflush(stdout);
        file_ = std::tmpfile();
        saved_ = dup(fileno(stdout));
        dup2(fileno(file_), fileno(stdout));
    }
    std::string Finish() {
        std::fflush(stdout);
        dup2(saved_, fileno(stdout));
        close(saved_);
        std::string text;
        std::rewind(file_);
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file_)) > 0;) text.append(buffer, n);
        std::fclose(file_);
        return text;
    }

private:
    std::FILE* file_ = nullptr;
    int saved_ = -1;
};

}  // namespace

class DroppedRunServicesTest : public QObject {
    Q_OBJECT

private slots:
    void platformPreference_data() {
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("requested");
        QTest::addColumn<QString>("expected");
        // "-" stands for an unset variable.
        QTest::newRow("nothing set: no display") << QByteArray("-") << QByteArray("-") << QByteArray("-") << "";
        QTest::newRow("empty values count as unset") << QByteArray("") << QByteArray("") << QByteArray("xcb") << "";
        QTest::newRow("request alone is no display") << QByteArray("-") << QByteArray("-") << QByteArray("xcb") << "";
        QTest::newRow("X11") << QByteArray(":0") << QByteArray("-") << QByteArray("-") << "xcb;offscreen";
        QTest::newRow("Wayland only") << QByteArray("-") << QByteArray("wayland-0") << QByteArray("-")
                                      << "wayland;offscreen";
        QTest::newRow("Wayland with XWayland prefers X11")
            << QByteArray(":0") << QByteArray("wayland-0") << QByteArray("-") << "xcb;offscreen";
        QTest::newRow("user's choice kept, fallback added")
            << QByteArray(":0") << QByteArray("wayland-0") << QByteArray("wayland") << "wayland;offscreen";
        QTest::newRow("user's offscreen stays alone")
            << QByteArray(":0") << QByteArray("-") << QByteArray("offscreen") << "offscreen";
    }
    void platformPreference() {
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, requested);
        QFETCH(QString, expected);
        auto value = [](const QByteArray& v) { return v == "-" ? nullptr : v.constData(); };
        QCOMPARE(QString::fromStdString(QtPlatformPreference(value(display), value(wayland), value(requested))),
                 expected);
    }

    void windowRunPrefersXWaylandUnlessTheUserChose() {
        QCOMPARE(WindowRunPlatformPreference(":0", "wayland-0", nullptr), std::string("xcb;wayland"));
        QCOMPARE(WindowRunPlatformPreference(":0", nullptr, ""), std::string("xcb"));
        QCOMPARE(WindowRunPlatformPreference(nullptr, "wayland-0", nullptr), std::string());
        QCOMPARE(WindowRunPlatformPreference(":0", "wayland-0", "wayland"), std::string());
    }

    void displayPlatforms() {
        for (const char* name : {"xcb", "wayland", "xcb:nograb", "wayland-egl"}) QVERIFY2(IsDisplayPlatform(name), name);
        for (const char* name : {"", "offscreen", "minimal", "offscreen:fontengine=freetype", "minimalegl"})
            QVERIFY2(!IsDisplayPlatform(name), name);
    }

    // Offscreen there is no clipboard another program could read: the keeper says so, and
    // the text must neither be lost nor reported as delivered.
    void keeperWithoutDisplayFallsBackToStandardOutput() {
        QVERIFY(!KeepTextOnClipboard("text", "offscreen"));
        QVERIFY(!KeepTextOnClipboard("text", ""));

        testing::FakeDialogs dialogs;
        KeptClipboard clipboard("offscreen", dialogs);
        const std::string text = "\"/tmp/a b.txt\"\r\n\"/tmp/\xff\xfe.bin\"\r\n";
        CapturedStandardOutput captured;
        clipboard.SetText(text);
        QCOMPARE(captured.Finish(), text);
        QCOMPARE(dialogs.messages, std::vector<std::string>{Translated(texts::kClipboardNotKept)});
    }

    void standardOutputClipboardKeepsBytes() {
        StandardOutputClipboard clipboard;
        const std::string text = std::string("a\0b\r\n\xe6\x97\xa5", 7);
        CapturedStandardOutput captured;
        clipboard.SetText(text);
        clipboard.Clear();
        QCOMPARE(captured.Finish(), text);
    }
};

// The keeper is this program started again with the keeper's option.
int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], kKeepClipboardOption.data()) == 0) return RunClipboardKeeper(argc, argv);
    QApplication app(argc, argv);
    DroppedRunServicesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "dropped_run_services_test.moc"
