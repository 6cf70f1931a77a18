#pragma once
// The run without a window: `pelmora PATH...` lists the paths handed over on the command line
// (the paths of files dropped on the program's icon), puts the result on the clipboard and
// ends. Also the entry of the clipboard keeper (`pelmora --keep-clipboard`), which is how
// the result stays on the clipboard after the run.

namespace pelmora {

// Called by main() before any QApplication exists, when the arguments joined are not blank.
// Returns the program's exit status.
int RunDroppedFiles(int argc, char** argv);

}  // namespace pelmora
