#pragma once
// What the settings dialog shows and edits, as data: one entry per control that edits a
// key (its objectName, the key, its kind, its tab page and place, its caption). The window
// builds its check-box pages from this table and every control writes through it.

#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_record.h"

namespace pelmora {

enum class ControlKind {
    Check,           // "1" checked, "0" unchecked
    LayoutText,      // trimmed, <TAB>/<CRLF> made canonical, when the box loses focus
    LiveLayoutText,  // the same on every change
    PlainText,       // taken as typed when the box loses focus
    ReadByteChoice,  // one of the seven read counts
    Opacity,         // a slider from 1 to 255
};

struct ControlBinding {
    std::string_view control;  // objectName
    std::string_view key;      // key of the key table
    ControlKind kind;
    int page;                // tab 1 to 10
    std::string_view group;  // frame caption on pages of frames; empty on grid pages
    int gridRow;             // grid pages: row from the top; -1 elsewhere
    int gridColumn;          // grid pages: 0 left to 2 right; -1 elsewhere
    std::string_view caption;  // empty for the bare boxes of a grid
};

const std::vector<ControlBinding>& SettingsDialogBindings();
const ControlBinding* FindControlBinding(std::string_view control);

// The caption of each row of a grid page (1 or 3), top to bottom.
const std::vector<std::string_view>& GridRowCaptions(int page);
// The labels under a grid page's columns, left to right.
const std::vector<std::string_view>& GridColumnLabels(int page);

// The key's text as a control shows it (numbers in decimal).
std::string BoundValue(const Settings& settings, std::string_view key);
// Stores the text into the key; a number key takes the text's number. False for a text
// that is no number where one is needed.
bool StoreBoundValue(Settings& settings, std::string_view key, const std::string& value);

// A check box clicked: its key becomes "1"/"0"; checking one of an exclusive pair clears
// the other's key. Returns the objectName of the partner box to uncheck, or empty.
std::string_view ApplyCheck(Settings& settings, std::string_view control, bool checked);

// When the dialog loads: the built-in and the plug-in JPEG reader never both.
void MakeJpegReadersExclusive(Settings& settings);

// The read counts Combo1 offers, in order.
const std::vector<std::string_view>& ReadByteChoices();

}  // namespace pelmora
