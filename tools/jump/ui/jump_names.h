#pragma once
// The objectNames of the Jump window (Form7), shared by the window and the tests. The
// captions are in jump_texts.h. Rows are numbered 1 to 10.

#include <QString>

namespace pelmora::jump_names {

inline constexpr char kWindow[] = "Form7";
inline constexpr char kFrame[] = "Frame1";
inline constexpr char kHintLabel[] = "Label12";
inline constexpr char kChaseTimer[] = "Timer1";

// The design has no Label2: row 1 is Label1, rows 2 to 10 are Label3 to Label11.
inline QString RowLabel(int row) { return QStringLiteral("Label%1").arg(row == 1 ? 1 : row + 1); }
inline QString RegisterButton(int row) { return QStringLiteral("Touroku_Button_%1").arg(row); }
inline QString JumpButton(int row) { return QStringLiteral("Jump_Button_%1").arg(row); }

}  // namespace pelmora::jump_names
