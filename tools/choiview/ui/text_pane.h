#pragma once
// RichTextBox1: a read-only view of plain text that lays out only the lines in sight, so a
// text of many megabytes shows at once. Lines end at "\n" and are not wrapped; a line's first
// kDrawnLineLength characters are drawn. Text is selected with the mouse (a double click
// takes a word), Shift with the movement keys and Ctrl+A, and copied with Ctrl+C or the
// context menu.

#include <QAbstractScrollArea>
#include <QString>
#include <vector>

class QAction;
class QTextLayout;

namespace pelmora {

class TextPane : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kDrawnLineLength = 20000;

    explicit TextPane(QWidget* parent);
    ~TextPane() override;

    // Shows the text from its top, with nothing selected.
    void SetText(QString text);
    const QString& Text() const { return text_; }
    qsizetype LineCount() const { return static_cast<qsizetype>(lineStarts_.size()); }
    // The line at the top of the view.
    int FirstShownLine() const;

    // The selection runs from the anchor (where it began) to the caret; positions are
    // offsets into Text().
    qsizetype CaretPosition() const { return caret_; }
    QString SelectedText() const;
    void Select(qsizetype anchor, qsizetype caret);
    void SelectAll();
    // The selection to the clipboard (and, where the window system has one, the mouse
    // selection too); nothing when nothing is selected.
    void CopySelection() const;

    // The offset of the character boundary nearest to a point of the viewport.
    qsizetype PositionAt(QPoint point) const;
    // Where a position is drawn in the viewport: the top-left of its caret.
    QPoint PointOf(qsizetype position) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QStringView Line(qsizetype index) const;
    qsizetype LineOf(qsizetype position) const;
    qsizetype LineStart(qsizetype index) const { return lineStarts_[static_cast<std::size_t>(index)]; }
    // One line laid out as it is drawn (tabs, no wrapping).
    void LayOut(QTextLayout& layout, qsizetype index) const;
    int LineHeight() const;
    int ShownLines() const;
    void UpdateScrollRanges();
    // The caret moved by a key: the selection follows or collapses, the view scrolls to it.
    void MoveCaret(qsizetype position, bool extend);
    void ScrollToCaret();
    qsizetype PositionAbove(qsizetype position, qsizetype lines) const;

    QString text_;
    std::vector<qsizetype> lineStarts_;
    int widestLine_ = 0;  // pixels, an estimate from the character count
    qsizetype anchor_ = 0;
    qsizetype caret_ = 0;
    bool dragging_ = false;
    QAction* copyAction_ = nullptr;
    QAction* selectAllAction_ = nullptr;
};

}  // namespace pelmora
