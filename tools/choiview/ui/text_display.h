#pragma once
// The text view (RichTextBox1): TEXT and other_TEXT files in their detected encoding, and
// the member listing of an ARC archive. Read-only plain text.

#include <QString>

#include "tools/choiview/ui/viewer_display.h"

class QWidget;

namespace pelmora {

class TextPane;
class UserDialogs;

class TextDisplay : public ViewerDisplay {
public:
    // dialogs: where the archive listing reports an archive it cannot read.
    TextDisplay(QWidget* window, UserDialogs& dialogs);

    Loaded Load(const std::string& path, std::string_view kind) override;
    void Present(const ViewerGeometry& geometry) override;
    void Reset() override;
    void Relayout(const ViewerGeometry& geometry) override;
    bool IsShowing() const override;

private:
    UserDialogs& dialogs_;
    TextPane* view_ = nullptr;
    QString loaded_;
};

}  // namespace pelmora
