// The window program's clipboard, save dialog filters, window icons and Qt's own texts.

#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <set>

#include "app/ui/qt_job_context.h"
#include "app/ui/qt_translations.h"
#include "platform/file_system.h"
#include "tests/app/ui/window_fixture.h"

using namespace pelmora;
using namespace pelmora::testing;

class QtJobContextTest : public QObject {
    Q_OBJECT

private slots:
    void clipboardKeepsTextAndForeignBytes() {
        QtClipboardSink sink;
        sink.SetText("\"報告書.txt\"\r\n");
        QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8("\"報告書.txt\"\r\n"));

        // A name in another encoding reaches the clipboard byte for byte.
        const std::string latin1 = "\"caf\xe9.txt\"\r\n";
        sink.SetText(latin1);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data);
        QCOMPARE(data->data("text/plain").toStdString(), latin1);

        sink.Clear();
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
    }

    void saveDialogOffersTheRequestedNameWithTheFirstFilterChosen() {
        // Filters come in pairs of caption and pattern; an odd one at the end is dropped.
        QCOMPARE(SaveDialogNameFilters("*.txt|*.txt|*.csv|*.csv|*.*|*.*"),
                 (QStringList{"*.txt (*.txt)", "*.csv (*.csv)", "*.* (*)"}));
        QCOMPARE(SaveDialogNameFilters("Text|*.txt|odd"), QStringList{"Text (*.txt)"});
        QCOMPARE(SaveDialogNameFilters(""), QStringList{});

        TempTree folder;
        QWidget owner;
        QtSaveDialog dialog(&owner);
        SaveRequest request{"取得したファイル名を保存します", "*.txt|*.txt|*.csv|*.csv|*.*|*.*", "",
                            "PX_File(1206-220509)"};
        for (const std::string& start : {std::string(), folder.path()}) {
            request.startFolder = start;
            QString title, directory, nameFilter, proposed;
            bool confirmsOverwrite = false;
            QTimer::singleShot(0, [&] {
                auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!shown) return;
                title = shown->windowTitle();
                directory = shown->directory().absolutePath();
                nameFilter = shown->selectedNameFilter();
                proposed = shown->selectedFiles().value(0);
                confirmsOverwrite = !shown->testOption(QFileDialog::DontConfirmOverwrite) &&
                                    shown->acceptMode() == QFileDialog::AcceptSave;
                shown->reject();
            });
            QCOMPARE(dialog.AskSavePath(request), std::optional<std::string>());  // cancelled
            QCOMPARE(title, QString("取得したファイル名を保存します"));
            // Without a start folder the dialog opens in the home folder.
            const std::string expectedFolder = start.empty() ? platform::HomeFolder() : start;
            QCOMPARE(directory, QDir(QString::fromStdString(expectedFolder)).absolutePath());
            QCOMPARE(nameFilter, QString("*.txt (*.txt)"));
            QCOMPARE(QFileInfo(proposed).fileName(), QString("PX_File(1206-220509)"));  // no extension added
            QVERIFY(confirmsOverwrite);
        }
    }

    void windowIconsAreBuiltIn() {
        WindowFixture f;
        f.PrepareIni({{"WindowIcon", "0"}});
        QVERIFY(f.Start());
        const qint64 ownIcon = f.window->windowIcon().cacheKey();
        f.window->SetWindowIconNumber("7");  // out of range: the window keeps its own
        QCOMPARE(f.window->windowIcon().cacheKey(), ownIcon);
        // Each number shows its own picture.
        std::set<QByteArray> pictures;
        for (const char* number : {"1", "2", "3", "4", "5"}) {
            f.window->SetWindowIconNumber(number);
            const QImage image = f.window->windowIcon().pixmap(32, 32).toImage();
            QVERIFY(!image.isNull());
            pictures.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
        }
        QCOMPARE(pictures.size(), std::size_t(5));
    }

    void questionKeepsEachOfItsLinesWhole() {
        const QString first = QString::fromUtf8("プログラム、スクリプト、コンポーネントファイル、その他、を実行しようとしています。");
        const QString second = QString::fromUtf8("実行しますか？");
        int labelWidth = 0, widestLine = 0;
        std::function<void()> answer = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return QTimer::singleShot(10, answer);
            auto* label = box->findChild<QLabel*>("qt_msgbox_label");
            labelWidth = label->contentsRect().width();
            const QFontMetrics metrics(label->font());
            widestLine = std::max(metrics.horizontalAdvance(first), metrics.horizontalAdvance(second));
            box->button(QMessageBox::No)->click();
        };
        QTimer::singleShot(0, answer);
        QtUserDialogs dialogs(nullptr);
        QVERIFY(!dialogs.AskYesNo((first + "\r\n" + second).toStdString()));
        QVERIFY(widestLine > 0);
        QVERIFY2(labelWidth >= widestLine, qPrintable(QString("%1 < %2").arg(labelWidth).arg(widestLine)));
    }

    // A short message still makes a box wide enough for the title bar to show "Pelmora"
    // beside the window's icon and its three buttons.
    void aShortMessageBoxShowsItsWholeTitle() {
        int boxWidth = 0, titleWidth = 0;
        QString title;
        std::function<void()> answer = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return QTimer::singleShot(10, answer);
            title = box->windowTitle();
            QFont bold = box->font();
            bold.setBold(true);
            titleWidth = QFontMetrics(bold).horizontalAdvance(title);
            boxWidth = box->width();
            box->button(QMessageBox::Ok)->click();
        };
        QTimer::singleShot(0, answer);
        QtUserDialogs dialogs(nullptr);
        dialogs.ShowMessage("OK");
        QCOMPARE(title, QString("Pelmora"));
        // Three buttons and an icon of at least 24 pixels each, and some padding.
        QVERIFY2(boxWidth >= titleWidth + 4 * 24 + 40, qPrintable(QString("%1 for %2").arg(boxWidth).arg(titleWidth)));
    }

    // Last: the translations stay installed for the rest of the run.
    void questionButtonsSpeakJapanese() {
        QVERIFY(InstallQtJapaneseTranslations(*QCoreApplication::instance()));
        QString yes, no;
        std::function<void()> answer = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return QTimer::singleShot(10, answer);
            yes = box->button(QMessageBox::Yes)->text();
            no = box->button(QMessageBox::No)->text();
            box->button(QMessageBox::No)->click();
        };
        QTimer::singleShot(0, answer);
        QtUserDialogs dialogs(nullptr);
        QVERIFY(!dialogs.AskYesNo("?"));
        QVERIFY2(yes.contains(QString::fromUtf8("はい")), qPrintable(yes));
        QVERIFY2(no.contains(QString::fromUtf8("いいえ")), qPrintable(no));
    }
};

QTEST_MAIN(QtJobContextTest)
#include "qt_job_context_test.moc"
