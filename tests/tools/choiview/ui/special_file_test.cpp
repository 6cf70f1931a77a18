// ChoiView given a FIFO named like a file of every kind: refused at once with the message,
// never opened (which would keep the window waiting for a writer).
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "i18n/translation.h"
#include "listing/engine/job_context.h"
#include "tests/support/fake_job_context.h"
#include "tests/tools/common/ui/tool_window_fixture.h"
#include "tools/choiview/choiview_texts.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/page_file_scheme.h"

namespace pelmora {

namespace {

// Should a display open a FIFO after all, this lets it go after a while (a writer that
// opens and closes), so the test fails on its time instead of hanging.
class FifoReleaser {
public:
    explicit FifoReleaser(std::vector<std::string> fifos) : fifos_(std::move(fifos)) {
        thread_ = std::thread([this] {
            const auto release = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (!stop_) {
                if (std::chrono::steady_clock::now() >= release) {
                    for (const std::string& fifo : fifos_) {
                        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
                        if (fd >= 0) ::close(fd);
                    }
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
    }
    ~FifoReleaser() {
        stop_ = true;
        thread_.join();
    }

private:
    std::vector<std::string> fifos_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace

class SpecialFileTest : public QObject {
    Q_OBJECT

    testing::ToolWindowFolder folder_;

private slots:
    void aFifoOfEveryKindIsRefusedAtOnce() {
        Settings settings;
        settings.CV_txt = settings.CV_other_txt = settings.CV_bmp = settings.CV_Su_png = settings.CV_htm =
            settings.CV_jpg = settings.CV_pdf = settings.CV_doc = settings.CV_wav = settings.CV_zip = "1";
        settings.CV_txt_CheckSize = 2048;
        testing::FakeDialogs dialogs;
        ChoiViewWindow w(settings, folder_.ini, dialogs);
        w.OpenAtPlacement();

        // TEXT, other_TEXT (its NUL test), PBOX, SUSIE, IE (page, picture, PDF, office), MPLAYER, ARC.
        const std::vector<std::string> names{"a.txt", "b.dat", "c.bmp", "d.png", "e.html",
                                             "f.jpg", "g.pdf", "h.doc", "i.mp3", "j.zip"};
        std::vector<std::string> fifos;
        for (const std::string& name : names) {
            const std::string path = folder_.WriteFile(QString::fromStdString(name));
            QVERIFY(::unlink(path.c_str()) == 0 && ::mkfifo(path.c_str(), 0600) == 0);
            fifos.push_back(path);
        }
        const FifoReleaser releaser(fifos);
        for (const std::string& fifo : fifos) {
            const std::size_t before = dialogs.messages.size();
            QElapsedTimer shown;
            shown.start();
            w.ShowInViewer(fifo);
            QVERIFY2(shown.elapsed() < 2000, fifo.c_str());
            QCOMPARE(dialogs.messages.size(), before + 1);
            QCOMPARE(dialogs.messages.back(), Translated(choiview_texts::kOpenFailed));
        }
        // The window still shows files.
        w.ShowInViewer(folder_.WriteFile("real.txt", "text"));
        QCOMPARE(w.windowTitle(), "[" + QString::fromStdString(folder_.ini).replace("Pelmora.ini", "real.txt") + "]");
    }
};

}  // namespace pelmora

int main(int argc, char** argv) {
    pelmora::RegisterPageFileScheme();
    QApplication app(argc, argv);
    pelmora::SpecialFileTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "special_file_test.moc"
