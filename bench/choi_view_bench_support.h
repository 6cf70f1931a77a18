#pragma once
// What the ChoiView benchmarks share: dialogs that only print, files written into a
// temporary folder, the event loop run until something shows, and the process's memory
// figures.

#include <QApplication>
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "listing/engine/job_context.h"

namespace pelmora::bench {

// Messages go to standard error; every question is answered no.
class NoDialogs : public UserDialogs {
public:
    void ShowMessage(const std::string& text) override { std::fprintf(stderr, "message: %s\n", text.c_str()); }
    bool AskYesNo(const std::string&) override { return false; }
    void Beep() override {}
};

// The bytes as the file name in dir; a benchmark without its files has nothing to measure.
inline std::string WriteBenchFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    return path.toStdString();
}

// Runs events until done() holds or ms pass; false on time-out.
template <typename Done>
bool RunEventsUntil(Done done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

inline void RunEventsFor(int ms) {
    RunEventsUntil([] { return false; }, ms);
}

// A figure of /proc/self/status in KiB ("VmRSS:", "VmHWM:", "RssAnon:", ...); 0 when absent.
inline long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == field) {
            long kib = 0;
            status >> kib;
            return kib;
        }
    return 0;
}

}  // namespace pelmora::bench
