#pragma once
// pelmora-tree's help (/? and --help), English as written; its Japanese is in the catalogue.

#include "i18n/ui_text.h"

namespace pelmora {

inline constexpr UiText kTreeUsage = PELMORA_UI_TEXT("TreeHelp",
    "usage: pelmora-tree PATH [/F] [/A]\n"
    "Draws the folder tree below PATH, subfolders in the program's name order.\n"
    "  /F  list the files of each folder before its subfolders\n"
    "  /A  draw with ASCII characters instead of box-drawing ones\n"
    "The first two lines name the volume: the mount point holding PATH, and a serial\n"
    "number made from the file system's id. Hidden entries (names beginning with \".\")\n"
    "are left out. Lines end in CR LF.\n"
    "Standard output is what the tree command reads, so a PATH that is no folder still gets\n"
    "its message there, after the two volume lines: \"無効なパスです - PATH\", and it ends\n"
    "with status 1. A folder that cannot be read is drawn empty. Wrong switches: status 2.\n");

}  // namespace pelmora
