#pragma once
// The main window's browser as the collectors see it: filled by the window from its
// widgets (or by the headless lister from its arguments), so no collector reads controls.

#include <cstddef>
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

// The first selected entry's name in list order; empty when nothing is selected.
inline std::string FirstSelectedName(const BrowserState& state) {
    for (std::size_t i = 0; i < state.entries.size() && i < state.selected.size(); ++i) {
        if (state.selected[i]) return state.entries[i];
    }
    return {};
}

}  // namespace pelmora
