#pragma once
// Form6 "HexView": the first bytes of one file as a hex dump, with its path, last-modified
// time and size. Shows what the main window's file list hands it and what is dropped on it.
// Closing saves the position and hides the window (the owner may delete it); opening again
// starts from an empty view.

#include <QWidget>
#include <cstdint>
#include <string>

#include "app/follow_target.h"
#include "settings/settings_record.h"

class QLabel;
class QPlainTextEdit;

namespace pelmora {

class HexViewWindow : public QWidget, public FollowTarget {
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

signals:
    // After the position has been saved.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    std::int64_t ReadCount() const;

    Settings& settings_;
    std::string iniPath_;
    QPlainTextEdit* richTextBox1_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
};

}  // namespace pelmora
