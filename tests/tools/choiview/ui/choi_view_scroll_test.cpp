// ChoiView moved with the mouse wheel and the keys: pictures and PDF pages scroll, PDF pages
// zoom, Esc closes the window; and a sound file shows its name and length.

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "settings/settings_record.h"
#include "tests/support/fake_job_context.h"
#include "tests/tools/choiview/media_bytes.h"
#include "tests/tools/common/ui/tool_window_fixture.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/media_audio_info.h"
#include "tools/choiview/ui/media_player_pane.h"
#include "tools/choiview/ui/pdf_pages_view.h"
#include "tools/choiview/ui/picture_box.h"
#include "tools/choiview/ui/text_pane.h"
#include "tools/choiview/ui/video_frame_view.h"

namespace pelmora {

namespace names = choi_view_names;

class ChoiViewScrollTest : public QObject {
    Q_OBJECT

private:
    testing::ToolWindowFolder folder_;
    testing::FakeDialogs dialogs_;

    static void Wheel(QWidget* target, QPoint angle, Qt::KeyboardModifiers modifiers = {}) {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(target, &event);
    }

    std::string WritePicture(const QString& name, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const std::string path = folder_.WriteFile(name, "");
        image.save(QString::fromStdString(path), "BMP");
        return path;
    }

    // A PDF of A4 pages, each with its number in large figures.
    std::string WritePdf(const QString& name, int pages) {
        const std::string path = folder_.WriteFile(name, "");
        QPdfWriter writer(QString::fromStdString(path));
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&writer);
        for (int page = 0; page < pages; ++page) {
            if (page > 0) writer.newPage();
            painter.setFont(QFont(QStringLiteral("Sans"), 48));
            painter.drawText(QRect(0, 0, writer.width(), writer.height()), Qt::AlignCenter, QString::number(page + 1));
        }
        return path;
    }

private slots:
    void aPictureScrollsWithTheWheelAndTheKeys() {
        Settings settings;
        settings.CV_bmp = "1";
        ChoiViewWindow w(settings, folder_.ini, dialogs_);
        w.OpenAtPlacement();
        w.ShowInViewer(WritePicture("large.bmp", QSize(3000, 2500)));
        auto* box = w.findChild<PictureBox*>(names::kPicture);
        auto* across = w.findChild<QScrollBar*>(names::kHorizontalScroll);
        auto* down = w.findChild<QScrollBar*>(names::kVerticalScroll);
        QVERIFY(box && across && down);
        QVERIFY(!across->isHidden() && !down->isHidden());
        QCOMPARE(across->value(), 0);
        QCOMPARE(down->value(), 0);
        const QPoint top = box->pos();

        // A notch down scrolls the desktop's wheel lines of steps, and the box moves up.
        Wheel(box, QPoint(0, -120));
        QCOMPARE(down->value(), QApplication::wheelScrollLines() * down->singleStep());
        QCOMPARE(across->value(), 0);
        QVERIFY(box->pos().y() < top.y());
        Wheel(box, QPoint(0, 120));
        QCOMPARE(down->value(), 0);
        // Shift turns the wheel sideways; a high-resolution wheel's small turns add up.
        Wheel(box, QPoint(0, -120), Qt::ShiftModifier);
        QCOMPARE(across->value(), QApplication::wheelScrollLines() * across->singleStep());
        QCOMPARE(down->value(), 0);
        for (int i = 0; i < 4; ++i) Wheel(box, QPoint(0, -30));
        QCOMPARE(down->value(), QApplication::wheelScrollLines() * down->singleStep());

        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home);
        QCOMPARE(across->value(), 0);
        QCOMPARE(down->value(), 0);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(down->value(), down->singleStep());
        QTest::keyClick(box, Qt::Key_PageDown);
        QCOMPARE(down->value(), down->singleStep() + down->pageStep());
        QTest::keyClick(box, Qt::Key_Right);
        QCOMPARE(across->value(), across->singleStep());
        QTest::keyClick(box, Qt::Key_End);
        QCOMPARE(down->value(), down->maximum());
        QCOMPARE(across->value(), 0);
        QCOMPARE(box->geometry().bottom(), down->geometry().bottom());

        // A picture that fits does not move.
        w.ShowInViewer(WritePicture("small.bmp", QSize(40, 30)));
        const QPoint fitting = box->pos();
        Wheel(box, QPoint(0, -120));
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->pos(), fitting);
    }

    void pdfPagesScrollAndZoom() {
        PdfPagesView view(nullptr);
        view.resize(400, 300);
        view.ShowDocument(PdfPagesView::ReadDocument(WritePdf("pages.pdf", 3)));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.PageCount(), 3);
        QScrollBar* down = view.verticalScrollBar();
        QScrollBar* across = view.horizontalScrollBar();
        QTRY_VERIFY(down->maximum() > 0);
        QCOMPARE(across->maximum(), 0);

        Wheel(view.viewport(), QPoint(0, -120));
        QVERIFY(down->value() > 0);
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_End);
        QCOMPARE(down->value(), down->maximum());
        QTest::keyClick(&view, Qt::Key_Home);
        QCOMPARE(down->value(), 0);

        // Ctrl+wheel zooms from the width the pages fit: a quarter wider than the view.
        const double fit = view.EffectiveZoom();
        QVERIFY(fit > 0.2 && fit < 1.0);
        Wheel(view.viewport(), QPoint(0, 120), Qt::ControlModifier);
        QCOMPARE(view.zoomMode(), QPdfView::ZoomMode::Custom);
        QVERIFY(qAbs(view.EffectiveZoom() - fit * PdfPagesView::kZoomStep) < 1e-6);
        QTRY_VERIFY(across->maximum() > 0);
        const int room = view.viewport()->width();
        QVERIFY2(qAbs(across->maximum() - room / 4) < room / 10, qPrintable(QString::number(across->maximum())));
        Wheel(view.viewport(), QPoint(0, -120), Qt::ShiftModifier);
        QVERIFY(across->value() > 0);

        QTest::keyClick(&view, Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(qAbs(view.EffectiveZoom() - fit) < 1e-6);
        QTest::keyClick(&view, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(&view, Qt::Key_Equal, Qt::ControlModifier);
        QVERIFY(qAbs(view.EffectiveZoom() - fit * PdfPagesView::kZoomStep * PdfPagesView::kZoomStep) < 1e-6);
        for (int i = 0; i < 40; ++i) Wheel(view.viewport(), QPoint(0, -120), Qt::ControlModifier);
        QCOMPARE(view.EffectiveZoom(), PdfPagesView::kMinimumZoom);
        QTest::keyClick(&view, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(view.zoomMode(), QPdfView::ZoomMode::FitToWidth);
        QVERIFY(qAbs(view.EffectiveZoom() - fit) < 1e-6);

        // A new document starts as wide as the view again.
        view.ZoomBy(3);
        view.ShowDocument(PdfPagesView::ReadDocument(WritePdf("other.pdf", 1)));
        QCOMPARE(view.zoomMode(), QPdfView::ZoomMode::FitToWidth);
    }

    void escClosesTheViewerFromEveryDisplay() {
        Settings settings;
        settings.CV_txt = settings.CV_bmp = "1";
        ChoiViewWindow w(settings, folder_.ini, dialogs_);
        const struct {
            std::string file;
            const char* focused;
        } cases[] = {
            {folder_.WriteFile("note.txt", "some text"), names::kText},
            {WritePicture("picture.bmp", QSize(2000, 2000)), names::kPicture},
        };
        for (const auto& c : cases) {
            w.OpenAtPlacement();
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            w.ShowInViewer(c.file);
            auto* focused = w.findChild<QWidget*>(c.focused);
            focused->setFocus();
            QTRY_VERIFY(focused->hasFocus());
            QTest::keyClick(focused, Qt::Key_Escape);
            QVERIFY2(w.isHidden(), c.focused);
        }
    }

    void aSoundShowsItsNameAndLengthInsteadOfTheVideo() {
        MediaPlayerPane pane(nullptr);
        pane.resize(400, 300);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        pane.SetFileName(QString::fromStdString(folder_.WriteFile("tone.wav", testing::WavTone(2500))));
        auto* info = pane.findChild<MediaAudioInfo*>(names::kMediaAudioInfo);
        QVERIFY(info != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(info->isVisible(), 10000);
        QVERIFY(!pane.Video()->isVisible());
        QCOMPARE(info->NameText(), QStringLiteral("tone.wav"));
        QTRY_COMPARE_WITH_TIMEOUT(info->LengthText(), QStringLiteral("0:02"), 10000);
        QVERIFY(info->geometry().height() > pane.height() / 2);

        // A video takes the place back.
        pane.SetFileName(QString::fromStdString(
            folder_.WriteFile("clip.avi", testing::MjpegAvi(25, QSize(64, 48), {Qt::red, Qt::blue}))));
        QTRY_VERIFY_WITH_TIMEOUT(pane.Video()->isVisible() && !info->isVisible(), 10000);
        pane.SetFileName({});

        QCOMPARE(MediaLengthText(0), QStringLiteral("0:00"));
        QCOMPARE(MediaLengthText(61'999), QStringLiteral("1:01"));
        QCOMPARE(MediaLengthText(3'723'000), QStringLiteral("1:02:03"));
    }
};

}  // namespace pelmora

QTEST_MAIN(pelmora::ChoiViewScrollTest)
#include "choi_view_scroll_test.moc"
