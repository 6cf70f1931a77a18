#include "tools/choiview/ui/text_pane.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>

#include "i18n/ui/translated_text.h"
#include "tools/choiview/choiview_texts.h"
#include "tools/choiview/text_word.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/text_font.h"

namespace pelmora {

namespace {

constexpr int kMargin = 4;
constexpr int kTabColumns = 8;

// East Asian characters take about two columns of a Latin one.
bool IsWide(char16_t c) { return c >= 0x1100 && !(c >= 0xFF61 && c <= 0xFF9F); }

bool IsLowSurrogate(QChar c) { return c.unicode() >= 0xDC00 && c.unicode() <= 0xDFFF; }

bool IsWordSpace(QChar c) { return c == u' ' || c == u'\t' || c == QChar(0x3000); }

std::u16string_view Units(QStringView text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// The caret movements of the keyboard, each with its key and its key with Shift.
enum class Motion {
    PreviousChar,
    NextChar,
    PreviousWord,
    NextWord,
    PreviousLine,
    NextLine,
    PreviousPage,
    NextPage,
    StartOfLine,
    EndOfLine,
    StartOfText,
    EndOfText,
};

struct MotionKeys {
    QKeySequence::StandardKey move;
    QKeySequence::StandardKey select;
    Motion motion;
};

constexpr MotionKeys kMotionKeys[] = {
    {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, Motion::PreviousChar},
    {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, Motion::NextChar},
    {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, Motion::PreviousWord},
    {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, Motion::NextWord},
    {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, Motion::PreviousLine},
    {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, Motion::NextLine},
    {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, Motion::PreviousPage},
    {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, Motion::NextPage},
    {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, Motion::StartOfLine},
    {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, Motion::EndOfLine},
    {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument, Motion::StartOfText},
    {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument, Motion::EndOfText},
};

}  // namespace

TextPane::TextPane(QWidget* parent) : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    setFont(FixedWidthTextFont(font()));
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);

    copyAction_ = new QAction(QTranslated(choiview_texts::kTextCopy), this);
    copyAction_->setObjectName(choi_view_names::kTextCopyMenu);
    connect(copyAction_, &QAction::triggered, this, [this] { CopySelection(); });
    selectAllAction_ = new QAction(QTranslated(choiview_texts::kTextSelectAll), this);
    selectAllAction_->setObjectName(choi_view_names::kTextSelectAllMenu);
    connect(selectAllAction_, &QAction::triggered, this, &TextPane::SelectAll);
    SetText({});
}

TextPane::~TextPane() = default;

void TextPane::SetText(QString text) {
    text_ = std::move(text);
    anchor_ = caret_ = 0;
    dragging_ = false;
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
    const qsizetype start = LineStart(index);
    qsizetype end = index + 1 < LineCount() ? LineStart(index + 1) - 1 : text_.size();
    end = std::min(end, start + kDrawnLineLength);
    return QStringView(text_).mid(start, end - start);
}

qsizetype TextPane::LineOf(qsizetype position) const {
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), position);
    return static_cast<qsizetype>(after - lineStarts_.begin()) - 1;
}

void TextPane::LayOut(QTextLayout& layout, qsizetype index) const {
    layout.setText(Line(index).toString());
    layout.setFont(font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(kTabColumns * QFontMetrics(font()).horizontalAdvance(QChar(u' ')));
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) line.setLineWidth(widestLine_);
    layout.endLayout();
}

int TextPane::LineHeight() const { return std::max(1, fontMetrics().lineSpacing()); }

int TextPane::ShownLines() const { return std::max(1, (viewport()->height() - kMargin) / LineHeight()); }

void TextPane::UpdateScrollRanges() {
    const int shownLines = ShownLines();
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

QString TextPane::SelectedText() const {
    const qsizetype from = std::min(anchor_, caret_);
    return text_.mid(from, std::max(anchor_, caret_) - from);
}

void TextPane::Select(qsizetype anchor, qsizetype caret) {
    anchor_ = std::clamp<qsizetype>(anchor, 0, text_.size());
    caret_ = std::clamp<qsizetype>(caret, 0, text_.size());
    viewport()->update();
}

void TextPane::SelectAll() { Select(0, text_.size()); }

void TextPane::CopySelection() const {
    if (anchor_ == caret_) return;
    const QString selected = SelectedText();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(selected);
    if (clipboard->supportsSelection()) clipboard->setText(selected, QClipboard::Selection);
}

qsizetype TextPane::PositionAt(QPoint point) const {
    if (text_.isEmpty()) return 0;
    const double row = std::floor(static_cast<double>(point.y() - kMargin) / LineHeight());
    const qsizetype line = std::clamp<qsizetype>(FirstShownLine() + static_cast<qsizetype>(row), 0, LineCount() - 1);
    QTextLayout layout;
    LayOut(layout, line);
    const qreal x = point.x() - kMargin + horizontalScrollBar()->value();
    return LineStart(line) + layout.lineAt(0).xToCursor(std::max<qreal>(0, x));
}

QPoint TextPane::PointOf(qsizetype position) const {
    const qsizetype line = LineOf(std::clamp<qsizetype>(position, 0, text_.size()));
    QTextLayout layout;
    LayOut(layout, line);
    const auto column = static_cast<int>(std::min(position - LineStart(line), layout.text().size()));
    const qreal x = layout.lineAt(0).cursorToX(column);
    return {kMargin - horizontalScrollBar()->value() + static_cast<int>(std::lround(x)),
            kMargin + static_cast<int>(line - FirstShownLine()) * LineHeight()};
}

qsizetype TextPane::PositionAbove(qsizetype position, qsizetype lines) const {
    const qsizetype line = LineOf(position);
    const qsizetype target = std::clamp<qsizetype>(line - lines, 0, LineCount() - 1);
    QTextLayout from;
    LayOut(from, line);
    const qreal x =
        from.lineAt(0).cursorToX(static_cast<int>(std::min(position - LineStart(line), from.text().size())));
    QTextLayout to;
    LayOut(to, target);
    return LineStart(target) + to.lineAt(0).xToCursor(x);
}

void TextPane::MoveCaret(qsizetype position, bool extend) {
    caret_ = std::clamp<qsizetype>(position, 0, text_.size());
    if (!extend) anchor_ = caret_;
    ScrollToCaret();
    viewport()->update();
}

void TextPane::ScrollToCaret() {
    const qsizetype line = LineOf(caret_);
    QScrollBar* vertical = verticalScrollBar();
    if (line < vertical->value())
        vertical->setValue(static_cast<int>(line));
    else if (line >= vertical->value() + ShownLines())
        vertical->setValue(static_cast<int>(line) - ShownLines() + 1);
    const int x = PointOf(caret_).x() - kMargin + horizontalScrollBar()->value();
    QScrollBar* horizontal = horizontalScrollBar();
    const int room = std::max(1, viewport()->width() - 2 * kMargin - fontMetrics().averageCharWidth());
    if (x < horizontal->value())
        horizontal->setValue(x);
    else if (x > horizontal->value() + room)
        horizontal->setValue(x - room);
}

void TextPane::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
        return;
    }
    for (const MotionKeys& keys : kMotionKeys) {
        const bool extend = event->matches(keys.select);
        if (!extend && !event->matches(keys.move)) continue;
        const qsizetype line = LineOf(caret_);
        const qsizetype lineEnd = line + 1 < LineCount() ? LineStart(line + 1) - 1 : text_.size();
        qsizetype to = caret_;
        switch (keys.motion) {
            case Motion::PreviousChar:
                to = caret_ - (caret_ >= 2 && IsLowSurrogate(text_[caret_ - 1]) ? 2 : 1);
                break;
            case Motion::NextChar:
                to = caret_ + (caret_ + 1 < text_.size() && IsLowSurrogate(text_[caret_ + 1]) ? 2 : 1);
                break;
            case Motion::PreviousWord:
                // Back over spaces, then to the start of the word before them.
                while (to > 0 && IsWordSpace(text_[to - 1])) --to;
                if (to > 0 && text_[to - 1] != u'\n') {
                    const qsizetype start = LineStart(LineOf(to - 1));
                    to = start + static_cast<qsizetype>(
                                     WordAround(Units(Line(LineOf(to - 1))), static_cast<std::size_t>(to - 1 - start))
                                         .begin);
                } else if (to > 0) {
                    --to;
                }
                break;
            case Motion::NextWord:
                // To the end of this word and over the spaces after it.
                if (caret_ < lineEnd) {
                    const qsizetype start = LineStart(line);
                    to = start +
                         static_cast<qsizetype>(WordAround(Units(Line(line)), static_cast<std::size_t>(caret_ - start)).end);
                } else if (caret_ < text_.size()) {
                    ++to;
                }
                while (to < text_.size() && IsWordSpace(text_[to])) ++to;
                break;
            case Motion::PreviousLine:
                to = line == 0 ? 0 : PositionAbove(caret_, 1);
                break;
            case Motion::NextLine:
                to = line + 1 == LineCount() ? text_.size() : PositionAbove(caret_, -1);
                break;
            case Motion::PreviousPage:
                to = PositionAbove(caret_, ShownLines());
                verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
                break;
            case Motion::NextPage:
                to = PositionAbove(caret_, -ShownLines());
                verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
                break;
            case Motion::StartOfLine:
                to = LineStart(line);
                break;
            case Motion::EndOfLine:
                to = lineEnd;
                break;
            case Motion::StartOfText:
                to = 0;
                break;
            case Motion::EndOfText:
                to = text_.size();
                break;
        }
        MoveCaret(to, extend);
        return;
    }
    // Everything else (Esc above all) goes on to the window.
    QAbstractScrollArea::keyPressEvent(event);
}

void TextPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        // The right button keeps the selection for the context menu.
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const qsizetype position = PositionAt(event->position().toPoint());
    caret_ = position;
    if (!event->modifiers().testFlag(Qt::ShiftModifier)) anchor_ = position;
    dragging_ = true;
    viewport()->update();
}

void TextPane::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !event->buttons().testFlag(Qt::LeftButton)) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    // Dragging past an edge scrolls that way.
    const QPoint point = event->position().toPoint();
    if (point.y() < 0) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    if (point.y() >= viewport()->height()) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    if (point.x() < 0) horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    if (point.x() >= viewport()->width()) horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    caret_ = PositionAt(point);
    viewport()->update();
}

void TextPane::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
    // What the mouse selected is the window system's selection, for a middle-button paste.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (anchor_ != caret_ && clipboard->supportsSelection()) clipboard->setText(SelectedText(), QClipboard::Selection);
}

void TextPane::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || text_.isEmpty()) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    // The character under the mouse, not the nearest boundary.
    const QPoint point = event->position().toPoint();
    const qsizetype line = LineOf(PositionAt(point));
    QTextLayout layout;
    LayOut(layout, line);
    const qreal x = point.x() - kMargin + horizontalScrollBar()->value();
    const int column = layout.lineAt(0).xToCursor(std::max<qreal>(0, x), QTextLine::CursorOnCharacter);
    const WordSpan word = WordAround(Units(Line(line)), static_cast<std::size_t>(column));
    Select(LineStart(line) + static_cast<qsizetype>(word.begin), LineStart(line) + static_cast<qsizetype>(word.end));
    dragging_ = false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (anchor_ != caret_ && clipboard->supportsSelection()) clipboard->setText(SelectedText(), QClipboard::Selection);
}

void TextPane::contextMenuEvent(QContextMenuEvent* event) {
    copyAction_->setEnabled(anchor_ != caret_);
    selectAllAction_->setEnabled(!text_.isEmpty());
    QMenu menu(this);
    menu.addAction(copyAction_);
    menu.addAction(selectAllAction_);
    menu.exec(event->globalPos());
}

void TextPane::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TextPane::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TextPane::paintEvent(QPaintEvent* event) {
    if (text_.isEmpty()) return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int lineHeight = LineHeight();
    const int left = kMargin - horizontalScrollBar()->value();
    const qsizetype first = verticalScrollBar()->value() + event->rect().top() / lineHeight;
    const qsizetype last = std::min<qsizetype>(LineCount() - 1, verticalScrollBar()->value() +
                                                                    (event->rect().bottom() - kMargin) / lineHeight);
    const qsizetype selectionStart = std::min(anchor_, caret_);
    const qsizetype selectionEnd = std::max(anchor_, caret_);
    QTextCharFormat selected;
    selected.setBackground(palette().brush(QPalette::Highlight));
    selected.setForeground(palette().brush(QPalette::HighlightedText));
    const int lineEndWidth = QFontMetrics(font()).horizontalAdvance(QChar(u' '));
    for (qsizetype line = first; line <= last; ++line) {
        const int top = kMargin + static_cast<int>(line - verticalScrollBar()->value()) * lineHeight;
        QTextLayout layout;
        LayOut(layout, line);
        const qsizetype start = LineStart(line);
        const qsizetype drawnEnd = start + layout.text().size();
        QList<QTextLayout::FormatRange> selections;
        if (selectionStart < selectionEnd) {
            const qsizetype from = std::max(selectionStart, start);
            const qsizetype to = std::min(selectionEnd, drawnEnd);
            if (to > from) selections.append({static_cast<int>(from - start), static_cast<int>(to - from), selected});
            // A selected line end shows as a space's width of highlight after the line.
            const qsizetype lineEnd = line + 1 < LineCount() ? LineStart(line + 1) - 1 : text_.size();
            if (lineEnd < text_.size() && selectionStart <= lineEnd && selectionEnd > lineEnd) {
                const qreal x = left + layout.lineAt(0).naturalTextWidth();
                painter.fillRect(QRectF(x, top, lineEndWidth, lineHeight), selected.background());
            }
        }
        layout.draw(&painter, QPointF(left, top), selections);
        if (hasFocus() && caret_ >= start && caret_ <= drawnEnd)
            layout.drawCursor(&painter, QPointF(left, top), static_cast<int>(caret_ - start));
    }
}

}  // namespace pelmora
