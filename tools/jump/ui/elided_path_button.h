#pragma once
// A push button for a folder path: a path wider than the button is shown cut in the middle,
// so that both the start and the last folder stay visible, and the whole path is then its
// tooltip. FullText() keeps the whole path.

#include <QPushButton>

namespace pelmora {

class ElidedPathButton : public QPushButton {
    Q_OBJECT
public:
    explicit ElidedPathButton(QWidget* parent = nullptr);

    void SetFullText(const QString& text);
    const QString& FullText() const { return fullText_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateShownText();

    QString fullText_;
};

}  // namespace pelmora
