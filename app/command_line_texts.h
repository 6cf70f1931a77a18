#pragma once
// What `pelmora` itself writes on a terminal: its usage, an unknown option, the note that
// there is no display. Written in English, with the Japanese in the catalogue.

#include "i18n/ui_text.h"

namespace pelmora::command_line_texts {

inline constexpr UiText kUsage = PELMORA_UI_TEXT(
    "Program",
    "usage: pelmora                 open the window\n"
    "       pelmora PATH...         list the files and folders PATH with the Drop… settings\n"
    "                               of Pelmora.ini, put the text on the clipboard and end\n"
    "       pelmora --help | --version\n"
    "Without a display the listing goes to standard output. A path that begins with \"-\"\n"
    "is taken as a path when it exists; otherwise write it as ./-name.\n"
    "pelmora-list runs every listing of the window from a terminal (pelmora-list --help).\n");

// %1: the option as given. The usage follows.
inline constexpr UiText kUnknownOption = PELMORA_UI_TEXT("Program", "pelmora: unknown option %1\n");

inline constexpr UiText kNoDisplay = PELMORA_UI_TEXT(
    "Program",
    "pelmora: the window needs a display, and neither DISPLAY nor WAYLAND_DISPLAY is set.\n"
    "Without a display, `pelmora PATH...` writes the listing of PATH to standard output,\n"
    "and `pelmora-list` runs every listing from a terminal (see `pelmora-list --help`).\n");

}  // namespace pelmora::command_line_texts
