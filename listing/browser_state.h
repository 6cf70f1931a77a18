#pragma once
// The main window's browser as the collectors see it: filled by the window from its
// widgets (or by the headless lister from its arguments), so no collector reads controls.

#include <string>
#include <vector>

namespace pelmora {

struct BrowserState {
    std::string folder;   // current folder
    std::string pattern;  // file pattern, e.g. "*.*" or "*.txt;*.csv"
    bool showHidden = false;
    bool showSystem = false;
    std::vector<std::string> entries;  // file list names, in list order
    std::vector<bool> selected;        // one flag per entry; missing flags count as unselected
};

}  // namespace pelmora
