#pragma once
// Dir1: the folder list in the manner of the classic folder-list control. The path from the
// root to the current folder comes first, one level per line, then the current folder's
// subfolders; a single click on any line asks to open that folder.

#include <QListWidget>
#include <string>
#include <vector>

namespace pelmora {

class FolderListWidget : public QListWidget {
    Q_OBJECT
public:
    explicit FolderListWidget(QWidget* parent = nullptr);

    // Shows the folder and the given subfolder names (already in list order).
    void ShowFolder(const std::string& folder, const std::vector<std::string>& subfolders);
    const std::string& Folder() const { return folder_; }
    // Full paths of the listed subfolders, in list order.
    std::vector<std::string> SubfolderPaths() const;
    // Marks the shown folder's own line again, e.g. after a clicked line could not be opened,
    // and scrolls it into view.
    void HighlightShownFolder();

signals:
    void folderClicked(const std::string& path);

protected:
    // The shown folder's line stays in view when the list gets smaller.
    void resizeEvent(QResizeEvent* event) override;

private:
    void ScrollToShownFolder();

    std::string folder_;
    int firstSubfolderRow_ = 0;
    bool openPending_ = false;
};

// The folders from the root down to the folder itself ("/a/b" gives "/", "/a", "/a/b").
std::vector<std::string> FolderChain(const std::string& folder);

}  // namespace pelmora
