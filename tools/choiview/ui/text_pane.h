#pragma once
// RichTextBox1: a read-only view of plain text that lays out only the lines in sight, so a
// text of many megabytes shows at once. Lines end at "\n" and are not wrapped; a line's first
// kDrawnLineLength characters are drawn.

#include <QAbstractScrollArea>
#include <QString>
#include <vector>

namespace pelmora {

class TextPane : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kDrawnLineLength = 20000;

    explicit TextPane(QWidget* parent);

    void SetText(QString text);
    const QString& Text() const { return text_; }
    qsizetype LineCount() const { return static_cast<qsizetype>(lineStarts_.size()); }
    // The line at the top of the view.
    int FirstShownLine() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QStringView Line(qsizetype index) const;
    void UpdateScrollRanges();

    QString text_;
    std::vector<qsizetype> lineStarts_;
    int widestLine_ = 0;  // pixels, an estimate from the character count
};

}  // namespace pelmora
