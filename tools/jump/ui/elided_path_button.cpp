#include "tools/jump/ui/elided_path_button.h"

#include <QEvent>
#include <QStyle>
#include <QStyleOptionButton>

namespace pelmora {

ElidedPathButton::ElidedPathButton(QWidget* parent) : QPushButton(parent) {
    // The width comes from the window, not from the path.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void ElidedPathButton::SetFullText(const QString& text) {
    fullText_ = text;
    UpdateShownText();
}

void ElidedPathButton::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    UpdateShownText();
}

void ElidedPathButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::FontChange) UpdateShownText();
}

void ElidedPathButton::UpdateShownText() {
    QStyleOptionButton option;
    initStyleOption(&option);
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
    const int room = qMax(0, width() - 2 * margin - 4);
    const QString shown = fontMetrics().elidedText(fullText_, Qt::ElideMiddle, room);
    setText(shown);
    setToolTip(shown == fullText_ ? QString() : fullText_);
}

}  // namespace pelmora
