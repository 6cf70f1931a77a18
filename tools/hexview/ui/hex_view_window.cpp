#include "tools/hexview/ui/hex_view_window.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include "tools/hexview/hex_dump_text.h"
#include "tools/hexview/hex_view_labels.h"
#include "tools/hexview/hexview_texts.h"
#include "tools/common/ui/tool_window_support.h"

namespace pelmora {
namespace {

constexpr int kFontPointSize = 9;
constexpr std::int64_t kDefaultReadCount = 1024;
// Room for a dump line with a five-digit offset.
constexpr int kTextColumns = 76;
constexpr int kTextRows = 28;
constexpr char kSection[] = "HexView";

}  // namespace

HexViewWindow::HexViewWindow(Settings& settings, const std::string& iniPath, QWidget* parent)
    : ToolWindow(parent), settings_(settings), iniPath_(iniPath) {
    namespace t = hexview_texts;
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QString::fromUtf8(t::kCaption));

    auto* layout = new QVBoxLayout(this);
    label1_ = AddToolWindowLabel(this, layout, "Label1", QString::fromUtf8(t::kEmptyPathLabel));
    label2_ = AddToolWindowLabel(this, layout, "Label2", QString::fromUtf8(ReadCountLabelText(ReadCount())));
    label3_ = AddToolWindowLabel(this, layout, "Label3", QString::fromUtf8(t::kEmptyUpdateLabel));
    label4_ = AddToolWindowLabel(this, layout, "Label4", QString::fromUtf8(t::kEmptySizeLabel));

    richTextBox1_ = new QPlainTextEdit(this);
    richTextBox1_->setObjectName(QStringLiteral("RichTextBox1"));
    richTextBox1_->setReadOnly(true);
    richTextBox1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    richTextBox1_->setUndoRedoEnabled(false);
    richTextBox1_->setFont(ToolWindowFixedFont(kFontPointSize));
    // Drops on the text go to the window, which takes file lists only.
    richTextBox1_->setAcceptDrops(false);
    richTextBox1_->viewport()->setAcceptDrops(false);
    layout->addWidget(richTextBox1_, 1);

    const QFontMetrics metrics(richTextBox1_->font());
    const QMargins margins = layout->contentsMargins();
    resize(metrics.horizontalAdvance(QString(kTextColumns, QLatin1Char('W'))) + margins.left() + margins.right() +
               2 * richTextBox1_->frameWidth() + richTextBox1_->verticalScrollBar()->sizeHint().width() +
               2 * static_cast<int>(richTextBox1_->document()->documentMargin()),
           metrics.lineSpacing() * kTextRows);
}

std::int64_t HexViewWindow::ReadCount() const {
    return settings_.Hex_ReadByte > 0 ? settings_.Hex_ReadByte : kDefaultReadCount;
}

void HexViewWindow::OpenAtPlacement() {
    namespace t = hexview_texts;
    richTextBox1_->clear();
    label1_->setText(QString::fromUtf8(t::kEmptyPathLabel));
    label2_->setText(QString::fromUtf8(ReadCountLabelText(ReadCount())));
    label3_->setText(QString::fromUtf8(t::kEmptyUpdateLabel));
    label4_->setText(QString::fromUtf8(t::kEmptySizeLabel));
    OpenToolWindow(*this, settings_.Hex_LastFormPosition == "1", settings_.Hex_FormLeft, settings_.Hex_FormTop);
}

void HexViewWindow::ShowHexDump(const std::string& path, std::int64_t count) {
    richTextBox1_->clear();
    richTextBox1_->setPlainText(QString::fromUtf8(HexDumpText(path, count)));
    const HexViewLabelTexts labels = HexViewLabels(path);
    label1_->setText(QString::fromUtf8(labels.path));
    label3_->setText(QString::fromUtf8(labels.update));
    label4_->setText(QString::fromUtf8(labels.size));
}

void HexViewWindow::FollowPath(const std::string& path) { ShowHexDump(path, ReadCount()); }

void HexViewWindow::SavePosition() {
    SaveToolWindowPosition(*this, kSection, "Hex_FormLeft", "Hex_FormTop", settings_.Hex_FormLeft,
                           settings_.Hex_FormTop, iniPath_);
}

}  // namespace pelmora
