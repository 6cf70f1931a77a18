// The windows at their default size show every caption whole, in the language of the
// process (the test runs once pinned to Japanese and once under an English locale): no
// label, button or check box reaches past the window or the page that shows it, none is
// narrower than its caption, and no wrapped text is cut at the bottom.

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>
#include <QScreen>

#include "app/ui/docked_windows.h"
#include "app/ui/main_window_names.h"
#include "app/ui/qt_translations.h"
#include "app/ui/tool_windows.h"
#include "i18n/language_choice.h"
#include "tests/app/ui/window_fixture.h"
#include "tests/support/fake_network_discovery.h"

using namespace pelmora;
using namespace pelmora::testing;
namespace names = pelmora::main_window_names;

namespace {

QString Describe(const QWidget* w) {
    QString text;
    if (auto* label = qobject_cast<const QLabel*>(w)) text = label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) text = button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(w)) text = group->title();
    return QString("%1 %2 \"%3\"").arg(w->metaObject()->className(), w->objectName(), text.left(40));
}

// The area the widget can be seen in, in the window's coordinates: the window, narrowed by
// every scroll area's viewport above it.
QRect VisibleArea(const QWidget* w) {
    const QWidget* top = w->window();
    QRect area = top->rect();
    for (const QWidget* p = w->parentWidget(); p && p != top; p = p->parentWidget()) {
        if (auto* scroll = qobject_cast<const QAbstractScrollArea*>(p)) {
            const QWidget* viewport = scroll->viewport();
            area &= QRect(viewport->mapTo(top, QPoint(0, 0)), viewport->size());
        }
    }
    return area;
}

bool InsideScrollArea(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget()) {
        if (qobject_cast<const QAbstractScrollArea*>(p)) return true;
    }
    return false;
}

// What is cut among the captions shown now in the window.
QStringList ClippedCaptions(QWidget* window) {
    QStringList clipped;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->window() != window) continue;
        auto* label = qobject_cast<QLabel*>(w);
        const bool caption = (label && !label->text().isEmpty() && label->pixmap().isNull()) ||
                             qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w) ||
                             qobject_cast<QComboBox*>(w);
        if (!caption || w->parentWidget()->inherits("QTabBar")) continue;
        const QRect place(w->mapTo(window, QPoint(0, 0)), w->size());
        const QRect area = VisibleArea(w);
        // A page scrolls up and down only; across, everything stands inside.
        const bool across = place.left() >= area.left() && place.right() <= area.right();
        const bool down = InsideScrollArea(w) || (place.top() >= area.top() && place.bottom() <= area.bottom());
        if (!across || !down) {
            clipped << Describe(w) + QString(" at %1,%2 %3x%4 outside %5,%6 %7x%8")
                                         .arg(place.x()).arg(place.y()).arg(place.width()).arg(place.height())
                                         .arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height());
            continue;
        }
        if (label && label->wordWrap()) {
            if (w->height() < label->heightForWidth(w->width()))
                clipped << Describe(w) + QString(" %1 high, needs %2").arg(w->height()).arg(label->heightForWidth(w->width()));
        } else if (w->width() < w->sizeHint().width() && !qobject_cast<QGroupBox*>(w)) {
            clipped << Describe(w) + QString(" %1 wide, needs %2").arg(w->width()).arg(w->sizeHint().width());
        }
    }
    for (QScrollArea* scroll : window->findChildren<QScrollArea*>()) {
        if (scroll->isVisible() && scroll->horizontalScrollBar()->isVisible())
            clipped << Describe(scroll) + " scrolls across";
    }
    return clipped;
}

// Every tab of the window's tab widgets in turn.
QStringList ClippedCaptionsOnEveryPage(QWidget* window) {
    QStringList clipped = ClippedCaptions(window);
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        const int shown = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            for (const QString& cut : ClippedCaptions(window)) clipped << tabs->tabText(i) + ": " + cut;
        }
        tabs->setCurrentIndex(shown);
    }
    clipped.removeDuplicates();
    return clipped;
}

QWidget* OpenWindow(const char* name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String(name) && top->isVisible()) return top;
    }
    return nullptr;
}

}  // namespace

class WindowFitTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fixture_ = std::make_unique<WindowFixture>();
        fixture_->AddData({"a.txt", "b.bin", "sub/"});
        QVERIFY(fixture_->Start());
        QVERIFY(QTest::qWaitForWindowExposed(fixture_->window.get()));
    }
    void cleanup() { fixture_.reset(); }

    void theMainWindowShowsEveryCaptionWhole() {
        const QStringList clipped = ClippedCaptionsOnEveryPage(fixture_->window.get());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
    }

    void theSettingsDialogShowsEveryCaptionWhole() {
        fixture_->window->Docked().OpenSettings();
        QWidget* dialog = OpenWindow(names::kSettingsWindow);
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        const QStringList clipped = ClippedCaptionsOnEveryPage(dialog);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
        // Docked at the right of the main window centred on a 1280 pixels wide screen, the
        // dialog keeps to the screen: it is no wider than its pages need.
        const QRect screen = dialog->screen()->geometry();
        if (screen.width() >= 1280) {
            QTRY_VERIFY_WITH_TIMEOUT(dialog->frameGeometry().left() >= fixture_->window->frameGeometry().right(), 5000);
            QVERIFY2(screen.contains(dialog->frameGeometry()),
                     qPrintable(QString("frame ends at %1").arg(dialog->frameGeometry().right())));
        }
    }

    void theNetworkWindowShowsEveryCaptionWhole() {
        fixture_->window->Docked().SetNetworkDiscovery(&network_);
        fixture_->window->Docked().OpenNetwork();
        QWidget* window = OpenWindow(names::kNetworkWindow);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QStringList clipped = ClippedCaptionsOnEveryPage(window);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
    }

    void choiViewShowsEveryCaptionWhole() {
        fixture_->window->findChild<QAction*>(names::kChoiViewMenu)->trigger();
        QWidget* window = OpenWindow(names::kChoiViewWindow);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QStringList clipped = ClippedCaptionsOnEveryPage(window);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
    }

private:
    // Outlives the windows, whose reading threads may still ask it.
    FakeNetworkDiscovery network_ = FakeNetworkDiscovery::SmallNetwork();
    std::unique_ptr<WindowFixture> fixture_;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallTranslations(app, UiLanguageOfThisProcess());
    WindowFitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_fit_test.moc"
