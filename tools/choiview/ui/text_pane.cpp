#include "tools/choiview/ui/text_pane.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextOption>

#include <algorithm>

namespace pelmora {

namespace {

constexpr int kMargin = 4;
constexpr int kTabColumns = 8;

// East Asian characters take about two columns of a Latin one.
bool IsWide(char16_t c) { return c >= 0x1100 && !(c >= 0xFF61 && c <= 0xFF9F); }

}  // namespace

TextPane::TextPane(QWidget* parent) : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    SetText({});
}

void TextPane::SetText(QString text) {
    text_ = std::move(text);
    lineStarts_.clear();
    lineStarts_.push_back(0);
    const char16_t* units = reinterpret_cast<const char16_t*>(text_.constData());
    const qsizetype size = text_.size();
    qsizetype widestColumns = 0;
    qsizetype columns = 0;
    for (qsizetype at = 0; at < size; ++at) {
        const char16_t c = units[at];
        if (c == u'\n') {
            widestColumns = std::max(widestColumns, columns);
            columns = 0;
            lineStarts_.push_back(at + 1);
        } else {
            columns += c == u'\t' ? kTabColumns : IsWide(c) ? 2 : 1;
        }
    }
    widestColumns = std::min<qsizetype>(std::max(widestColumns, columns), 2 * kDrawnLineLength);
    // A text that ends with a line end has no empty line after it.
    if (lineStarts_.size() > 1 && lineStarts_.back() == size) lineStarts_.pop_back();
    const QFontMetrics metrics(font());
    const int column = std::max(metrics.averageCharWidth(), metrics.horizontalAdvance(QChar(u'x')));
    widestLine_ = static_cast<int>(widestColumns) * column + 2 * kMargin;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    UpdateScrollRanges();
    viewport()->update();
}

int TextPane::FirstShownLine() const { return verticalScrollBar()->value(); }

QStringView TextPane::Line(qsizetype index) const {
    const qsizetype start = lineStarts_[static_cast<std::size_t>(index)];
    qsizetype end = index + 1 < LineCount() ? lineStarts_[static_cast<std::size_t>(index + 1)] - 1 : text_.size();
    end = std::min(end, start + kDrawnLineLength);
    return QStringView(text_).mid(start, end - start);
}

void TextPane::UpdateScrollRanges() {
    const int lineHeight = std::max(1, fontMetrics().lineSpacing());
    const int shownLines = std::max(1, (viewport()->height() - kMargin) / lineHeight);
    const qsizetype lines = text_.isEmpty() ? 0 : LineCount();
    verticalScrollBar()->setRange(0, static_cast<int>(std::max<qsizetype>(0, lines - shownLines)));
    verticalScrollBar()->setPageStep(shownLines);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, std::max(0, widestLine_ - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth() * 2);
}

void TextPane::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void TextPane::paintEvent(QPaintEvent* event) {
    if (text_.isEmpty()) return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const QFontMetrics metrics(font());
    const int lineHeight = std::max(1, metrics.lineSpacing());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(kTabColumns * metrics.horizontalAdvance(QChar(u' ')));
    const int left = kMargin - horizontalScrollBar()->value();
    const qsizetype first = verticalScrollBar()->value() + event->rect().top() / lineHeight;
    const qsizetype last = std::min<qsizetype>(LineCount() - 1, verticalScrollBar()->value() +
                                                                    (event->rect().bottom() - kMargin) / lineHeight);
    const int right = viewport()->width();
    for (qsizetype line = first; line <= last; ++line) {
        const int top = kMargin + static_cast<int>(line - verticalScrollBar()->value()) * lineHeight;
        const QString text = Line(line).toString();
        painter.drawText(QRectF(left, top, std::max(right - left, widestLine_), lineHeight), text, option);
    }
}

}  // namespace pelmora
