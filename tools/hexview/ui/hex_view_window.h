#pragma once
// Form6 "HexView": the first bytes of one file as a hex dump, with its path, last-modified
// time and size. Opening again starts from an empty view.

#include <cstdint>
#include <string>

#include "settings/settings_record.h"
#include "tools/common/ui/tool_window.h"

class QLabel;
class QPlainTextEdit;

namespace pelmora {

class MiddleElidedLabel;

class HexViewWindow : public ToolWindow {
    Q_OBJECT
public:
    HexViewWindow(Settings& settings, const std::string& iniPath, QWidget* parent = nullptr);

    // Places the window (saved place or centred), resets it to an empty view showing the
    // current read count, and shows it.
    void OpenAtPlacement();

    // Fills the view for one file: its dump of at most count bytes and its labels.
    void ShowHexDump(const std::string& path, std::int64_t count);

    // ShowHexDump with the Hex_ReadByte setting.
    void FollowPath(const std::string& path) override;

private:
    std::int64_t ReadCount() const;

    Settings& settings_;
    QPlainTextEdit* dumpText_ = nullptr;
    MiddleElidedLabel* pathLabel_ = nullptr;
    QLabel* readCountLabel_ = nullptr;
    QLabel* updateLabel_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
};

}  // namespace pelmora
