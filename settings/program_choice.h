#pragma once
// Where the dialog that picks a program to start opens: at the configured program when it
// exists, otherwise in the user's home folder.

#include <string>

namespace pelmora {

struct ProgramChoiceStart {
    std::string folder;
    std::string fileName;  // empty: none proposed
};

ProgramChoiceStart ProgramChoiceStartFor(const std::string& configuredProgram);

}  // namespace pelmora
