#pragma once
// A tool window that follows the main window's file list: a click hands it the path of the
// first selected file. The main window asks the open ones in the order ACLView, HexView,
// ChoiView.

#include <string>

namespace pelmora {

class FollowTarget {
public:
    virtual ~FollowTarget() = default;
    virtual void FollowPath(const std::string& path) = 0;
};

}  // namespace pelmora
