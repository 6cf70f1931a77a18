#pragma once
// The one check ChoiView makes before any display opens a file: only a regular file is read.
// A FIFO named like a picture would keep the window waiting for a writer, a device may never
// end; both are refused from the file system service's facts, without opening anything.

#include <string>

#include "settings/settings_record.h"

namespace pelmora {

// Whether the path is a regular file (links followed), on the local disk or a share.
bool IsRegularFileToView(const std::string& path);

// Whether ChoiView must refuse the file at path unopened, with "ファイルオープンに失敗しました":
// its name gives it a kind (see ViewerKindOfFile), but it is no regular file (a FIFO, device
// or socket, a folder, a missing file or a dangling link).
bool ViewerMustRefuseUnopened(const std::string& path, const Settings& settings);

}  // namespace pelmora
