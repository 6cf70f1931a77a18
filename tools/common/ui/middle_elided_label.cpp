#include "tools/common/ui/middle_elided_label.h"

#include <QPainter>
#include <QStyle>

namespace pelmora {

MiddleElidedLabel::MiddleElidedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void MiddleElidedLabel::SetPathText(const QString& text) {
    setText(text);
    setToolTip(text);
}

QString MiddleElidedLabel::ShownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width());
}

void MiddleElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), ShownText(), foregroundRole());
}

}  // namespace pelmora
