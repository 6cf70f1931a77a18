#include "platform/desktop_launch.h"

#include <sys/stat.h>

#include "platform/process_runner.h"

namespace pelmora::platform {

bool OpeningRunsProgram(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
}

bool OpenWithDefaultProgram(const std::string& path) {
    std::string error;
    return StartIndependentProgram({"xdg-open", path}, error);
}

}  // namespace pelmora::platform
