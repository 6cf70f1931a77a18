#include "platform/program_start.h"

namespace pelmora::platform {

ProgramStart::ProgramStart(int argc, char** argv) : texts_(argv, argv + argc) { Point(); }

ProgramStart::~ProgramStart() = default;

void ProgramStart::Point() {
    pointers_.clear();
    for (std::string& text : texts_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
}

}  // namespace pelmora::platform
