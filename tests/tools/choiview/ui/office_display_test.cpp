// Office documents in ChoiView's web-browser display, converted by the real LibreOffice:
// "変換中…" while it works, then the PDF; the cache shows a document seen before at once;
// another file abandons a conversion; a damaged document and a missing LibreOffice end in a
// short page, never a message box or a crash. Conversions take seconds: few are made here.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>

#include <chrono>
#include <filesystem>

#include "i18n/ui/translated_text.h"
#include "listing/engine/job_context.h"
#include "tests/support/temp_tree.h"
#include "tests/tools/common/ui/tool_window_fixture.h"
#include "tools/choiview/choiview_texts.h"
#include "tools/choiview/office_conversion.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/pdf_pages_view.h"
#include "tests/support/fake_job_context.h"

namespace pelmora {

namespace names = choi_view_names;
namespace texts = choiview_texts;

// Records the messages; every question is answered no.
using RecordedDialogs = testing::FakeDialogs;

namespace {

// LibreOffice starts with a fresh profile for every document, which takes long on a loaded
// machine: the wait outlasts the conversion's own time limit, so a slow conversion ends in
// what the window shows for it rather than in the test giving up first.
const int kConversionWait =
    static_cast<int>(std::chrono::milliseconds(OfficeConversionJob().timeLimit).count()) + 30000;
// Ending the conversion is a kill and a wait for the process; the machine may be busy.
constexpr int kProcessEndWait = 10000;

QByteArray SampleFile(const char* name) {
    QFile file(QStringLiteral(PELMORA_CHOIVIEW_TEST_DATA "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool HasDarkPixel(const QImage& image) {
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (qGray(image.pixel(x, y)) < 100) return true;
    return false;
}

// Processes whose command line names path (a conversion of that document still running).
bool ProcessRunsWith(const std::string& path) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string cmdline = testing::ReadFile(entry.path().string() + "/cmdline");
        if (cmdline.find(path) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

class OfficeDisplayTest : public QObject {
    Q_OBJECT

    testing::ToolWindowFolder folder_;
    testing::TempTree cache_;
    const std::string ini_ = folder_.ini;

    static Settings ViewerSettings() {
        Settings settings;
        settings.CV_txt = settings.CV_doc = settings.CV_xls = settings.CV_rtf = "1";
        settings.CV_txt_CheckSize = 2048;
        return settings;
    }
    static QWidget* Browser(const ChoiViewWindow& w) { return w.findChild<QWidget*>(names::kWebBrowser); }
    static PdfPagesView* Pdf(const ChoiViewWindow& w) { return Browser(w)->findChild<PdfPagesView*>(); }
    static QLabel* Note(const ChoiViewWindow& w) { return Browser(w)->findChild<QLabel*>(); }
    static bool NoteShows(const ChoiViewWindow& w, UiText text) {
        return Note(w)->isVisible() && Note(w)->text() == QTranslated(text);
    }
    static bool PdfShown(const ChoiViewWindow& w) {
        return Pdf(w) && Pdf(w)->isVisible() && Pdf(w)->PageCount() >= 1;
    }

private slots:
    void initTestCase() {
        // The converted PDFs go to this test's own cache folder.
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cache_.path()));
        QVERIFY(!SampleFile("word.doc").isEmpty() && !SampleFile("sheet.xls").isEmpty());
    }

    void documentsAreConvertedThenShownFromTheCache() {
        Settings settings = ViewerSettings();
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs);
        w.OpenAtPlacement();
        const std::string files[] = {
            folder_.WriteFile("word.doc", SampleFile("word.doc")),
            folder_.WriteFile("sheet.xls", SampleFile("sheet.xls")),
            folder_.WriteFile("letter.rtf", "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs48 "
                                            "Pelmora {\\b RTF} sample\\par second line\\par}"),
        };
        for (const std::string& file : files) {
            w.ShowInViewer(file);
            QVERIFY(!Browser(w)->isHidden());
            QVERIFY(NoteShows(w, texts::kConverting));
            QTRY_VERIFY_WITH_TIMEOUT(PdfShown(w), kConversionWait);
            QTRY_VERIFY_WITH_TIMEOUT(HasDarkPixel(Pdf(w)->grab().toImage()), 10000);
        }
        QVERIFY(dialogs.messages.empty());

        // Seen before: the PDF shows at once, without LibreOffice.
        w.ShowInViewer(files[0]);
        QVERIFY(PdfShown(w));
        QCOMPARE(w.windowTitle(), "[" + QString::fromStdString(files[0]) + "]");
        const QDir cache(QString::fromStdString(cache_ / "pelmora/office-pdf"));
        QCOMPARE(cache.entryList({"*.pdf"}, QDir::Files).size(), 3);
    }

    void anotherFileAbandonsTheConversion() {
        Settings settings = ViewerSettings();
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs);
        w.OpenAtPlacement();
        const std::string doc = folder_.WriteFile("abandoned.doc", SampleFile("word.doc"));
        w.ShowInViewer(doc);
        QVERIFY(NoteShows(w, texts::kConverting));
        QTRY_VERIFY_WITH_TIMEOUT(ProcessRunsWith(doc), 10000);
        w.ShowInViewer(folder_.WriteFile("plain.txt", "text"));
        QVERIFY(Browser(w)->isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(!ProcessRunsWith(doc), kProcessEndWait);
        QCoreApplication::processEvents();
        QVERIFY(Browser(w)->isHidden());
        QVERIFY(dialogs.messages.empty());
    }

    void damagedDocumentOrMissingLibreOfficeEndInAShortPage() {
        Settings settings = ViewerSettings();
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs);
        w.OpenAtPlacement();
        // A cut document: LibreOffice may refuse it or read what is left; it ends either way.
        w.ShowInViewer(folder_.WriteFile("cut.xls", SampleFile("sheet.xls").left(1500)));
        QTRY_VERIFY_WITH_TIMEOUT(!NoteShows(w, texts::kConverting), kConversionWait);
        QVERIFY(PdfShown(w) || NoteShows(w, texts::kConversionFailed));

        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(cache_.AddFolder("empty-bin")));
        w.ShowInViewer(folder_.WriteFile("unconverted.rtf", "{\\rtf1 no office here\\par}"));
        QTRY_VERIFY_WITH_TIMEOUT(NoteShows(w, texts::kNeedsLibreOffice), 10000);
        qputenv("PATH", path);
        QVERIFY(dialogs.messages.empty());
        QVERIFY(w.isVisible());
    }
};

}  // namespace pelmora

QTEST_MAIN(pelmora::OfficeDisplayTest)
#include "office_display_test.moc"
