#pragma once
// The objectNames of the settings dialog (Form3) that the binding table does not name
// (settings/dialog_bindings.cpp names every control that edits a key). Rows count from 1.

#include <QString>

namespace pelmora::settings_dialog_names {

inline constexpr char kWindow[] = "Form3";
inline constexpr char kTabs[] = "TabStrip1";
inline constexpr char kSaveButton[] = "Command1";
inline constexpr char kChaseTimer[] = "Timer1";
inline constexpr char kSliderValueLabel[] = "Label11";

// The frame of each tab, tabs 1 to 10.
inline constexpr const char* kPageFrames[] = {"Frame1",  "Frame4",  "Frame19", "Frame17", "Frame5",
                                              "Frame9",  "Frame13", "Frame14", "Frame21", "Frame24"};

inline QString FontLabel(int row) { return QStringLiteral("Font_Label_%1").arg(row); }
inline QString FontButton(int row) { return QStringLiteral("Font_Button_%1").arg(row); }
inline QString ExePathButton(int row) { return QStringLiteral("ExePath_Button_%1").arg(row); }

}  // namespace pelmora::settings_dialog_names
