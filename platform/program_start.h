#pragma once
// What a command-line program sets up first: its arguments as the program's text (UTF-8),
// and its standard streams carrying bytes as they are written.

#include <string>
#include <vector>

namespace pelmora::platform {

class ProgramStart {
public:
    // argc and argv as main received them. On Windows the arguments are read afresh from the
    // wide command line (a name with an unpaired surrogate comes as WTF-8), the standard
    // streams stop turning LF into CR LF, and a console shows UTF-8; on POSIX argv is kept.
    ProgramStart(int argc, char** argv);
    ~ProgramStart();
    ProgramStart(const ProgramStart&) = delete;
    ProgramStart& operator=(const ProgramStart&) = delete;

    int Count() const { return static_cast<int>(texts_.size()); }
    // Null-terminated, as argv; valid while this object lives.
    char** Values() { return pointers_.data(); }

private:
    void Point();

    std::vector<std::string> texts_;
    std::vector<char*> pointers_;
    unsigned consoleCodePage_ = 0;  // to give back on leaving; 0 when untouched
};

}  // namespace pelmora::platform
