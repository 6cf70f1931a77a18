#pragma once
// A one-line label for a path: when the text is wider than the label it is shown cut in the
// middle, so that the file name and the closing "]" stay visible, and the whole text is its
// tooltip. text() keeps the whole text.

#include <QLabel>

namespace pelmora {

class MiddleElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit MiddleElidedLabel(QWidget* parent = nullptr);

    // Sets the text and, as tooltip, the same text.
    void SetPathText(const QString& text);

    // What the label shows at its current width.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace pelmora
