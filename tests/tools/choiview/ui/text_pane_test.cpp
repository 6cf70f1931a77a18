#include "tools/choiview/ui/text_pane.h"

#include <zip.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "listing/archive/archive_listing.h"
#include "settings/settings_record.h"
#include "tests/support/fake_job_context.h"
#include "tests/tools/common/ui/tool_window_fixture.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/text_font.h"

namespace pelmora {

namespace names = choi_view_names;

class TextPaneTest : public QObject {
    Q_OBJECT

private:
    testing::ToolWindowFolder folder_;

    // A pane with the text, shown and focused.
    static std::unique_ptr<TextPane> ShownPane(const QString& text) {
        auto pane = std::make_unique<TextPane>(nullptr);
        pane->resize(420, 220);
        pane->SetText(text);
        pane->show();
        pane->activateWindow();
        pane->setFocus();
        if (!QTest::qWaitForWindowExposed(pane.get())) return nullptr;
        return pane;
    }
    // The middle of the character at a position, in viewport coordinates.
    static QPoint On(const TextPane& pane, qsizetype position) {
        return pane.PointOf(position) + QPoint(2, pane.fontMetrics().height() / 2);
    }
    static void Keys(TextPane& pane, Qt::Key key, Qt::KeyboardModifiers modifiers, int times = 1) {
        for (int i = 0; i < times; ++i) QTest::keyClick(&pane, key, modifiers);
    }
    static QString Clipboard() { return QGuiApplication::clipboard()->text(); }

    // The entries of the pane's context menu as it opens, read while it is open.
    static QList<QAction*> ContextMenuEntries(TextPane& pane) {
        QList<QAction*> entries;
        QTimer::singleShot(0, &pane, [&entries] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                entries = menu->actions();
                menu->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), pane.viewport()->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(pane.viewport(), &event);
        return entries;
    }

private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    void mouseSelectsAcrossLinesAndCtrlCCopies() {
        const QString text = QStringLiteral("first line\nsecond line\nthird");
        auto pane = ShownPane(text);
        QVERIFY(pane);
        QVERIFY(pane->SelectedText().isEmpty());
        QWidget* viewport = pane->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, On(*pane, 6) - QPoint(2, 0));
        QTest::mouseMove(viewport, On(*pane, text.indexOf(u"second") + 6) - QPoint(2, 0));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, On(*pane, text.indexOf(u"second") + 6) - QPoint(2, 0));
        QCOMPARE(pane->SelectedText(), QStringLiteral("line\nsecond"));
        QTest::keyClick(pane.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QStringLiteral("line\nsecond"));

        // Shift+click moves the end of the selection, a plain click starts a new one.
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, On(*pane, text.size()) + QPoint(20, 0));
        QCOMPARE(pane->SelectedText(), QStringLiteral("line\nsecond line\nthird"));
        QTest::mouseClick(viewport, Qt::LeftButton, {}, On(*pane, 2) - QPoint(2, 0));
        QVERIFY(pane->SelectedText().isEmpty());
        QCOMPARE(pane->CaretPosition(), 2);
        // Nothing selected: the clipboard keeps what it had.
        QTest::keyClick(pane.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QStringLiteral("line\nsecond"));
    }

    void doubleClickTakesTheWordUnderTheMouse() {
        const QString text = QStringLiteral("size 2026/12/08 readme.txt\n日本語のテキストです。");
        auto pane = ShownPane(text);
        QVERIFY(pane);
        const struct {
            const char16_t* clicked;
            int into;
            const char16_t* word;
        } cases[] = {
            {u"readme", 3, u"readme"},
            {u"2026", 0, u"2026"},
            {u"テキスト", 2, u"テキスト"},
            {u"日本語", 1, u"日本語"},
            {u"。", 0, u"。"},
        };
        for (const auto& c : cases) {
            const qsizetype at = text.indexOf(QString::fromUtf16(c.clicked)) + c.into;
            QTest::mouseDClick(pane->viewport(), Qt::LeftButton, {}, On(*pane, at));
            QCOMPARE(pane->SelectedText(), QString::fromUtf16(c.word));
        }
    }

    void shiftWithTheMovementKeysSelects() {
        const QString text = QStringLiteral("first line\nsecond line\nthird");
        auto pane = ShownPane(text);
        QVERIFY(pane);
        Keys(*pane, Qt::Key_Right, Qt::ShiftModifier, 3);
        QCOMPARE(pane->SelectedText(), QStringLiteral("fir"));
        Keys(*pane, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(pane->SelectedText(), QStringLiteral("first line\nsec"));
        Keys(*pane, Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(pane->SelectedText(), QStringLiteral("first line\nsecond line"));
        Keys(*pane, Qt::Key_Left, Qt::ShiftModifier, 5);
        QCOMPARE(pane->SelectedText(), QStringLiteral("first line\nsecond"));
        // Without Shift the caret moves and the selection goes.
        Keys(*pane, Qt::Key_Down, {});
        QVERIFY(pane->SelectedText().isEmpty());
        Keys(*pane, Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(pane->SelectedText(), QStringLiteral("third"));
        Keys(*pane, Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(pane->SelectedText(), text);
        // Ctrl takes a word and the spaces after it, and a line end as one step.
        Keys(*pane, Qt::Key_Home, Qt::ControlModifier);
        Keys(*pane, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(pane->SelectedText(), QStringLiteral("first "));
        Keys(*pane, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, 2);
        QCOMPARE(pane->SelectedText(), QStringLiteral("first line\n"));
        Keys(*pane, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(pane->SelectedText(), QStringLiteral("first line"));
        Keys(*pane, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(pane->SelectedText(), QStringLiteral("first "));
        Keys(*pane, Qt::Key_Right, {});
        Keys(*pane, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(pane->SelectedText(), text);
        Keys(*pane, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), text);
    }

    void theCaretKeepsInSightInALongText() {
        QString text;
        for (int i = 0; i < 3000; ++i) text += QStringLiteral("line %1\n").arg(i);
        auto pane = ShownPane(text);
        QVERIFY(pane);
        Keys(*pane, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(pane->SelectedText(), text);
        QCOMPARE(pane->FirstShownLine(), pane->verticalScrollBar()->maximum());
        Keys(*pane, Qt::Key_PageUp, {}, 2);
        const int shown = pane->verticalScrollBar()->pageStep();
        QVERIFY(pane->FirstShownLine() < pane->verticalScrollBar()->maximum() - shown);
        const QPoint caret = pane->PointOf(pane->CaretPosition());
        QVERIFY(pane->viewport()->rect().contains(caret));
        // A line far to the right brings the view along.
        pane->SetText(QString(400, u'x') + QStringLiteral("END"));
        Keys(*pane, Qt::Key_End, {});
        QVERIFY(pane->horizontalScrollBar()->value() > 0);
        QVERIFY(pane->viewport()->rect().contains(pane->PointOf(pane->CaretPosition())));
    }

    void theSelectionIsDrawnHighlighted() {
        auto pane = ShownPane(QStringLiteral("highlighted words\nsecond"));
        QVERIFY(pane);
        const QColor highlight = pane->palette().color(QPalette::Highlight);
        auto highlighted = [&] {
            const QImage shown = pane->viewport()->grab().toImage();
            int count = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) count += shown.pixelColor(x, y) == highlight;
            return count;
        };
        QCOMPARE(highlighted(), 0);
        pane->Select(0, 11);
        QVERIFY(highlighted() > 0);
    }

    void theContextMenuCopiesAndSelectsAll() {
        const QString text = QStringLiteral("alpha\nbeta");
        auto pane = ShownPane(text);
        QVERIFY(pane);
        QList<QAction*> entries = ContextMenuEntries(*pane);
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0]->objectName(), QString(names::kTextCopyMenu));
        QCOMPARE(entries[0]->text(), QString::fromUtf8("コピー(&C)"));
        QCOMPARE(entries[1]->objectName(), QString(names::kTextSelectAllMenu));
        QCOMPARE(entries[1]->text(), QString::fromUtf8("すべて選択(&A)"));
        QVERIFY(!entries[0]->isEnabled());
        QVERIFY(entries[1]->isEnabled());
        entries[1]->trigger();
        QCOMPARE(pane->SelectedText(), text);
        entries = ContextMenuEntries(*pane);
        QCOMPARE(entries.size(), 2);
        QVERIFY(entries[0]->isEnabled());
        entries[0]->trigger();
        QCOMPARE(Clipboard(), text);
    }

    void theArchiveListingSelectsAndCopiesLikeText() {
        const std::string zip = folder_.WriteFile("members.zip", "");
        int error = 0;
        zip_t* writer = zip_open(zip.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        QVERIFY(writer);
        for (const char* name : {"readme.txt", "日本語.txt"})
            QVERIFY(zip_file_add(writer, name, zip_source_buffer(writer, "content", 7, 0), ZIP_FL_ENC_UTF_8) >= 0);
        QVERIFY(zip_close(writer) == 0);

        Settings settings;
        settings.CV_zip = "1";
        testing::FakeDialogs dialogs;
        ChoiViewWindow w(settings, folder_.ini, dialogs);
        w.OpenAtPlacement();
        w.ShowInViewer(zip);
        auto* pane = w.findChild<TextPane*>(names::kText);
        QVERIFY(pane && !pane->isHidden());
        const QString listing = QString::fromStdString(ArchiveListing(zip, nullptr)).replace("\r\n", "\n");
        QVERIFY(listing.contains(QString::fromUtf8("日本語.txt")));
        QCOMPARE(pane->Text(), listing);
        pane->setFocus();
        QTest::keyClick(pane, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(pane, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), listing);
        const qsizetype name = listing.indexOf(QString::fromUtf8("日本語"));
        QTest::mouseDClick(pane->viewport(), Qt::LeftButton, {}, On(*pane, name + 1));
        QCOMPARE(pane->SelectedText(), QString::fromUtf8("日本語"));
    }

    void theFontIsFixedWidthWithJapanese() {
        QVERIFY2(QFontDatabase::families().contains(QStringLiteral("IPAGothic")),
                 "fonts-ipafont-gothic is not installed");
        TextPane pane(nullptr);
        QCOMPARE(pane.font().family(), QStringLiteral("IPAGothic"));
        // Columns line up: every half-width character is one column, a full-width one two.
        const QFontMetrics metrics(pane.font());
        const int column = metrics.horizontalAdvance(QChar(u'x'));
        for (const char16_t c : u"Wi.M0ｱ")
            if (c != 0) QCOMPARE(metrics.horizontalAdvance(QChar(c)), column);
        for (const char16_t c : u"日本ア　")
            if (c != 0) QCOMPARE(metrics.horizontalAdvance(QChar(c)), 2 * column);

        // Other Japanese fixed-width fonts stand in for it; without any, the system's
        // fixed-width font, at the size asked for.
        QFont base;
        base.setPointSize(13);
        QCOMPARE(FixedWidthTextFont(base, {QStringLiteral("Sans"), QStringLiteral("ipagothic")}).family(),
                 QStringLiteral("IPAGothic"));
        QCOMPARE(FixedWidthTextFont(base, {QStringLiteral("VL Gothic"), QStringLiteral("TakaoGothic")}).family(),
                 QStringLiteral("TakaoGothic"));
        const QFont fallback = FixedWidthTextFont(base, {QStringLiteral("Sans")});
        QCOMPARE(fallback.family(), QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
        QVERIFY(fallback.fixedPitch());
        QCOMPARE(fallback.pointSize(), 13);
    }
};

}  // namespace pelmora

QTEST_MAIN(pelmora::TextPaneTest)
#include "text_pane_test.moc"
