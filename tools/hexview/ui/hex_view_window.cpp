#include "tools/hexview/ui/hex_view_window.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include "i18n/ui/translated_text.h"
#include "tools/hexview/hex_dump_text.h"
#include "tools/hexview/hex_view_labels.h"
#include "tools/hexview/hexview_texts.h"
#include "tools/hexview/ui/hex_view_names.h"
#include "tools/common/ui/middle_elided_label.h"
#include "tools/common/ui/tool_window_support.h"

namespace pelmora {
namespace {

namespace names = hex_view_names;

constexpr int kFontPointSize = 9;
constexpr std::int64_t kDefaultReadCount = 1024;
// Room for a dump line with a five-digit offset.
constexpr int kTextColumns = 76;
constexpr int kTextRows = 28;

}  // namespace

HexViewWindow::HexViewWindow(Settings& settings, const std::string& iniPath, QWidget* parent)
    : ToolWindow(settings, iniPath, kHexViewPositionKeys, parent), settings_(settings) {
    namespace t = hexview_texts;
    setObjectName(names::kWindow);
    setWindowTitle(QString::fromUtf8(t::kCaption));

    auto* layout = new QVBoxLayout(this);
    pathLabel_ = AddToolWindowPathLabel(this, layout, names::kPathLabel, QString::fromUtf8(t::kEmptyPathLabel));
    const QString readCountText = QString::fromUtf8(ReadCountLabelText(ReadCount()));
    readCountLabel_ = AddToolWindowLabel(this, layout, names::kReadCountLabel, readCountText);
    // Its digits and "byte" would otherwise come from another font than its Japanese.
    readCountLabel_->setFont(OneFontForText(readCountLabel_->font(), readCountText));
    updateLabel_ = AddToolWindowLabel(this, layout, names::kUpdateLabel, QString::fromUtf8(t::kEmptyUpdateLabel));
    sizeLabel_ = AddToolWindowLabel(this, layout, names::kSizeLabel, QString::fromUtf8(t::kEmptySizeLabel));

    dumpText_ = new QPlainTextEdit(this);
    dumpText_->setObjectName(names::kDumpText);
    dumpText_->setReadOnly(true);
    dumpText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    dumpText_->setUndoRedoEnabled(false);
    dumpText_->setFont(ToolWindowFixedFont(kFontPointSize));
    // Drops on the text go to the window, which takes file lists only.
    dumpText_->setAcceptDrops(false);
    dumpText_->viewport()->setAcceptDrops(false);
    layout->addWidget(dumpText_, 1);

    const QFontMetrics metrics(dumpText_->font());
    const QMargins margins = layout->contentsMargins();
    resize(metrics.horizontalAdvance(QString(kTextColumns, QLatin1Char('W'))) + margins.left() + margins.right() +
               2 * dumpText_->frameWidth() + dumpText_->verticalScrollBar()->sizeHint().width() +
               2 * static_cast<int>(dumpText_->document()->documentMargin()),
           metrics.lineSpacing() * kTextRows);
}

std::int64_t HexViewWindow::ReadCount() const {
    return settings_.Hex_ReadByte > 0 ? settings_.Hex_ReadByte : kDefaultReadCount;
}

void HexViewWindow::OpenAtPlacement() {
    namespace t = hexview_texts;
    dumpText_->clear();
    pathLabel_->SetPathText(QString::fromUtf8(t::kEmptyPathLabel));
    readCountLabel_->setText(QString::fromUtf8(ReadCountLabelText(ReadCount())));
    updateLabel_->setText(QString::fromUtf8(t::kEmptyUpdateLabel));
    sizeLabel_->setText(QString::fromUtf8(t::kEmptySizeLabel));
    ShowAtSavedPosition();
}

void HexViewWindow::ShowHexDump(const std::string& path, std::int64_t count) {
    dumpText_->clear();
    dumpText_->setPlainText(QString::fromUtf8(HexDumpText(path, count)));
    const HexViewLabelTexts labels = HexViewLabels(path);
    pathLabel_->SetPathText(QString::fromUtf8(labels.path));
    updateLabel_->setText(QString::fromUtf8(labels.update));
    sizeLabel_->setText(QString::fromUtf8(labels.size));
}

void HexViewWindow::FollowPath(const std::string& path) { ShowHexDump(path, ReadCount()); }

}  // namespace pelmora
