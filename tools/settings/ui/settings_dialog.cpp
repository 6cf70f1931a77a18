#include "tools/settings/ui/settings_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QScrollArea>
#include <QSlider>
#include <QStyle>
#include <QSortFilterProxyModel>
#include <QFileSystemModel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/ui/window_dock.h"
#include "i18n/translation.h"
#include "i18n/ui/translated_text.h"
#include "listing/engine/job_context.h"
#include "settings/dialog_bindings.h"
#include "settings/layout_token.h"
#include "settings/settings_store.h"
#include "tools/settings/ui/settings_dialog_names.h"
#include "tools/settings/settings_dialog_texts.h"

namespace pelmora {
namespace {

namespace names = settings_dialog_names;
namespace texts = settings_dialog_texts;

// The widest check box, in average characters, that shares a row of a group with another.
constexpr int kCheckColumnChars = 20;

// Every caption and name of the dialog passes here, and the captions of the binding table
// are translated here. A Japanese font, which draws the Japanese captions, shows the
// backslash of "\マークを付加する" as a yen sign; the fullwidth reverse solidus shows it as
// the backslash it means. A translated caption is drawn by the usual font.
QString Text(std::string_view text) {
    const std::string source(text);
    const QString untranslated = QString::fromStdString(source);
    QString shown = QCoreApplication::translate("Settings", source.c_str());
    if (shown == untranslated) shown.replace(QLatin1Char('\\'), QChar(0xFF3C));
    return shown;
}

QLabel* WrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

// "Programs" shows folders and executable files only.
class ProgramFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    bool programsOnly = true;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (!programsOnly) return true;
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files == nullptr) return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }
};

std::optional<std::string> AskProgram(QWidget* parent, const ProgramChoiceStart& start) {
    QFileDialog dialog(parent, QTranslated(texts::kProgramDialogTitle), QString::fromStdString(start.folder));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QString programs = QTranslated(texts::kProgramsFilter);
    dialog.setNameFilters({programs, QTranslated(texts::kAllFilesFilter)});
    auto* filter = new ProgramFilter(&dialog);
    dialog.setProxyModel(filter);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [filter, programs](const QString& chosen) {
        filter->programsOnly = chosen == programs;
        filter->invalidate();
    });
    if (!start.fileName.empty()) dialog.selectFile(QString::fromStdString(start.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

std::optional<FontSetting> AskFont(QWidget* parent, const FontSetting& preset) {
    QFont font(QString::fromStdString(preset.name));
    bool isNumber = false;
    const double points = QString::fromStdString(preset.size).toDouble(&isNumber);
    if (isNumber && points > 0) font.setPointSizeF(points);
    font.setBold(preset.bold);
    font.setItalic(preset.italic);
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, font, parent);
    if (!accepted) return std::nullopt;
    return FontSetting{chosen.family().toStdString(), FontSizeText(chosen.pointSizeF()), chosen.bold(),
                       chosen.italic()};
}

}  // namespace

SettingsDialog::SettingsDialog(Settings& settings, std::string iniPath, SettingsDialogServices services,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(settings), iniPath_(std::move(iniPath)), services_(std::move(services)) {
    setObjectName(names::kWindow);
    setWindowTitle(QTranslated(texts::kTitle));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(names::kTabs);
    tabs->setUsesScrollButtons(true);
    QWidget* pages[] = {BuildGridPage(1, texts::kFilesFrame), BuildFiles2Page(),
                        BuildGridPage(3, texts::kFoldersFrame), BuildTreePage(),
                        BuildChoiViewPage(5), BuildChoiViewPage(6), BuildChoiViewPage(7),
                        BuildHexViewPage(), BuildLaunchPage(), BuildOtherPage()};
    for (int i = 0; i < 10; ++i) {
        // A page taller than the main window scrolls: the dialog takes the main window's height.
        auto* frame = new QScrollArea;
        frame->setObjectName(names::kPageFrames[i]);
        frame->setFrameShape(QFrame::NoFrame);
        frame->setWidgetResizable(true);
        frame->setWidget(pages[i]);
        tabs->addTab(frame, QTranslated(texts::kTabCaptions[i]));
    }

    auto* save = new QPushButton(QTranslated(texts::kSaveButton), this);
    save->setObjectName(names::kSaveButton);
    connect(save, &QPushButton::clicked, this, &SettingsDialog::Save);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addWidget(save);

    dock_ = new WindowDock(*this, DockSide::Right);
    Load();
}

QCheckBox* SettingsDialog::AddCheck(const ControlBinding& binding, QWidget* parent) {
    auto* box = new QCheckBox(Text(binding.caption), parent);
    box->setObjectName(Text(binding.control));
    const std::string control(binding.control);
    connect(box, &QCheckBox::clicked, this, [this, control](bool checked) {
        const std::string_view partner = ApplyCheck(settings_, control, checked);
        if (!partner.empty()) {
            if (auto* other = findChild<QCheckBox*>(Text(partner))) other->setChecked(false);
        }
        if (control == "Check3" || control == "Check4") {
            if (services_.showHiddenSystem) {
                services_.showHiddenSystem(settings_.FileHiddenFile == "1", settings_.FileSystemFile == "1");
            }
            if (services_.selectAllFiles) services_.selectAllFiles();
        }
    });
    return box;
}

QLineEdit* SettingsDialog::AddLineEdit(const ControlBinding& binding, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(Text(binding.control));
    const std::string key(binding.key);
    switch (binding.kind) {
        case ControlKind::LayoutText:
            connect(edit, &QLineEdit::editingFinished, this, [this, edit, key] {
                StoreBoundValue(settings_, key, CanonicalizeLayoutToken(edit->text().toStdString()));
                edit->setText(QString::fromStdString(BoundValue(settings_, key)));
            });
            break;
        case ControlKind::LiveLayoutText:
            connect(edit, &QLineEdit::textEdited, this, [this, edit, key](const QString& typed) {
                const std::string value = CanonicalizeLayoutToken(typed.toStdString());
                StoreBoundValue(settings_, key, value);
                // The caret stays after the same character; leading spaces taken away shift it.
                int leading = 0;
                while (leading < typed.size() && typed[leading] == QLatin1Char(' ')) ++leading;
                const QString shown = QString::fromStdString(value);
                const int caret = qBound(0, edit->cursorPosition() - leading, static_cast<int>(shown.size()));
                edit->setText(shown);
                edit->setCursorPosition(caret);
            });
            break;
        default:
            connect(edit, &QLineEdit::editingFinished, this,
                    [this, edit, key] { StoreBoundValue(settings_, key, edit->text().toStdString()); });
            break;
    }
    return edit;
}

QWidget* SettingsDialog::AddGroup(std::string_view caption, int page, QWidget* parent) {
    auto* group = new QGroupBox(Text(caption), parent);
    auto* layout = new QGridLayout(group);
    int index = 0;
    for (const ControlBinding& binding : SettingsDialogBindings()) {
        if (binding.page != page || binding.group != caption || binding.kind != ControlKind::Check) continue;
        // The plug-in readers stand apart below a line.
        if (binding.control == "CV_Check_Su_jpg") {
            index += index % 2;
            auto* line = new QFrame(group);
            line->setFrameShape(QFrame::HLine);
            layout->addWidget(line, index / 2, 0, 1, 2);
            layout->addWidget(new QLabel(QTranslated(texts::kSusieNote), group), index / 2 + 1, 0, 1, 2);
            index += 4;
        }
        QCheckBox* box = AddCheck(binding, group);
        // A long caption takes the whole row, so that two long ones side by side do not widen
        // the dialog past its place beside the main window.
        const bool wide = box->sizeHint().width() > kCheckColumnChars * box->fontMetrics().averageCharWidth();
        if (wide) index += index % 2;
        layout->addWidget(box, index / 2, index % 2, 1, wide ? 2 : 1);
        index += wide ? 2 : 1;
    }
    return group;
}

QWidget* SettingsDialog::BuildGridPage(int page, UiText frameCaption) {
    auto* frame = new QWidget;
    auto* outer = new QVBoxLayout(frame);
    auto* group = new QGroupBox(QTranslated(frameCaption), frame);
    outer->addWidget(group);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(4);
    const auto& rows = GridRowCaptions(page);
    std::vector<bool> rowHasCaptionBox(rows.size(), false);
    for (const ControlBinding& binding : SettingsDialogBindings()) {
        if (binding.page != page || binding.gridRow < 0) continue;
        grid->addWidget(AddCheck(binding, group), binding.gridRow, binding.gridColumn);
        if (binding.gridColumn == 2) rowHasCaptionBox[static_cast<std::size_t>(binding.gridRow)] = true;
    }
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (!rowHasCaptionBox[row]) grid->addWidget(new QLabel(Text(rows[row]), group), static_cast<int>(row), 2);
    }
    const auto& labels = GridColumnLabels(page);
    auto* columnLabels = new QVBoxLayout;
    for (std::size_t column = 0; column < labels.size(); ++column) {
        // Each label stands under its column, the left one first.
        auto* label = WrappedLabel(Text(labels[column]), group);
        label->setIndent(static_cast<int>(column) * 22);
        columnLabels->addWidget(label);
    }
    grid->addLayout(columnLabels, static_cast<int>(rows.size()), 0, 1, 3);
    grid->setColumnStretch(2, 1);
    if (page == 3) {
        const ControlBinding* text3 = FindControlBinding("Text3");
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(Text(text3->caption), group));
        row->addWidget(AddLineEdit(*text3, group));
        grid->addLayout(row, static_cast<int>(rows.size()) + 1, 0, 1, 3);
    }
    outer->addStretch(1);
    return frame;
}

QWidget* SettingsDialog::BuildFiles2Page() {
    auto* frame = new QWidget;
    auto* outer = new QVBoxLayout(frame);
    auto* group = new QGroupBox(QTranslated(texts::kFiles2Frame), frame);
    outer->addWidget(group);
    auto* layout = new QGridLayout(group);
    int row = 0;
    for (const char* control : {"Check3", "Check4", "Check11"}) {
        layout->addWidget(AddCheck(*FindControlBinding(control), group), row++, 0, 1, 2);
    }
    for (const char* control : {"Text1", "Text2"}) {
        const ControlBinding& binding = *FindControlBinding(control);
        layout->addWidget(new QLabel(Text(binding.caption), group), row, 0);
        layout->addWidget(AddLineEdit(binding, group), row++, 1);
    }
    layout->addWidget(WrappedLabel(QTranslated(texts::kLayoutHelp), group), row, 0, 1, 2);
    outer->addStretch(1);
    return frame;
}

QWidget* SettingsDialog::BuildTreePage() {
    auto* frame = new QWidget;
    auto* outer = new QVBoxLayout(frame);
    auto* group = new QGroupBox(QTranslated(texts::kTreeFrame), frame);
    outer->addWidget(group);
    auto* layout = new QVBoxLayout(group);
    for (const char* control : {"Check7", "Check18"}) layout->addWidget(AddCheck(*FindControlBinding(control), group));
    outer->addStretch(1);
    return frame;
}

QWidget* SettingsDialog::BuildChoiViewPage(int page) {
    auto* frame = new QWidget;
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(WrappedLabel(QTranslated(texts::kChoiViewHeader), frame));
    std::vector<std::string_view> groups;
    for (const ControlBinding& binding : SettingsDialogBindings()) {
        if (binding.page == page && binding.kind == ControlKind::Check &&
            std::find(groups.begin(), groups.end(), binding.group) == groups.end()) {
            groups.push_back(binding.group);
        }
    }
    for (std::string_view caption : groups) {
        QWidget* group = AddGroup(caption, page, frame);
        auto* grid = static_cast<QGridLayout*>(group->layout());
        const UiText* note = caption == "MS-Officeファイル + etc" ? &texts::kOfficeNote
                             : caption == "その他"                ? &texts::kOtherNote
                                                                  : nullptr;
        if (note) grid->addWidget(WrappedLabel(QTranslated(*note), group), grid->rowCount(), 0, 1, 2);
        layout->addWidget(group);
    }
    if (page == 7) {
        const ControlBinding& binding = *FindControlBinding("Slider1");
        auto* group = new QGroupBox(Text(binding.group), frame);
        auto* grid = new QGridLayout(group);
        grid->addWidget(WrappedLabel(QTranslated(texts::kStealthNote), group), 0, 0, 1, 3);
        auto* slider = new QSlider(Qt::Horizontal, group);
        slider->setObjectName(Text(binding.control));
        slider->setRange(1, 255);
        auto* transparent = new QLabel(QTranslated(texts::kTransparent), group);
        auto* opaque = new QLabel(QTranslated(texts::kOpaque), group);
        auto* value = new QLabel(QStringLiteral("0"), group);
        value->setObjectName(names::kSliderValueLabel);
        value->setAlignment(Qt::AlignCenter);
        grid->addWidget(transparent, 1, 0);
        grid->addWidget(slider, 1, 1);
        grid->addWidget(opaque, 1, 2);
        grid->addWidget(value, 2, 1);
        connect(slider, &QSlider::valueChanged, this, [this, value](int alpha) {
            settings_.CV_Stealth = alpha;
            value->setText(QString::number(alpha));
            if (settings_.CV_use_stealth == "1" && services_.applyOpacity) services_.applyOpacity(alpha);
        });
        layout->addWidget(group);
    }
    layout->addStretch(1);
    return frame;
}

QWidget* SettingsDialog::BuildHexViewPage() {
    const ControlBinding& binding = *FindControlBinding("Combo1");
    auto* frame = new QWidget;
    auto* outer = new QVBoxLayout(frame);
    auto* group = new QGroupBox(Text(binding.group), frame);
    outer->addWidget(group);
    auto* layout = new QGridLayout(group);
    layout->addWidget(WrappedLabel(QTranslated(texts::kReadCountNote), group), 0, 0, 1, 2);
    auto* combo = new QComboBox(group);
    combo->setObjectName(Text(binding.control));
    for (std::string_view choice : ReadByteChoices()) combo->addItem(Text(choice));
    // Only the seven items can be chosen: typed keys are dropped.
    combo->installEventFilter(this);
    connect(combo, &QComboBox::activated, this,
            [this, combo](int) { StoreBoundValue(settings_, "Hex_ReadByte", combo->currentText().toStdString()); });
    layout->addWidget(combo, 1, 0);
    layout->addWidget(new QLabel(Text(texts::kByte), group), 1, 1);
    layout->addWidget(WrappedLabel(QTranslated(texts::kReadCountWarning), group), 2, 0, 1, 2);
    outer->addStretch(1);
    return frame;
}

QWidget* SettingsDialog::BuildLaunchPage() {
    auto* frame = new QWidget;
    auto* outer = new QVBoxLayout(frame);
    auto* group = new QGroupBox(Text(FindControlBinding("Ext_Text_1")->group), frame);
    outer->addWidget(group);
    auto* layout = new QGridLayout(group);
    layout->addWidget(WrappedLabel(QTranslated(texts::kLaunchNote), group), 0, 0, 1, 4);
    layout->addWidget(new QLabel(QTranslated(texts::kExtensionColumn), group), 1, 1);
    layout->addWidget(new QLabel(QTranslated(texts::kProgramColumn), group), 1, 2);
    for (int row = 1; row <= 5; ++row) {
        layout->addWidget(new QLabel(QStringLiteral("."), group), row + 1, 0);
        QLineEdit* extension = AddLineEdit(*FindControlBinding("Ext_Text_" + std::to_string(row)), group);
        extension->setMaximumWidth(48);
        layout->addWidget(extension, row + 1, 1);
        layout->addWidget(AddLineEdit(*FindControlBinding("ExePath_Text_" + std::to_string(row)), group), row + 1, 2);
        auto* browse = new QPushButton(QTranslated(texts::kBrowseButton), group);
        browse->setObjectName(names::ExePathButton(row));
        connect(browse, &QPushButton::clicked, this, [this, row] { ChooseProgram(row); });
        layout->addWidget(browse, row + 1, 3);
    }
    layout->setColumnStretch(2, 1);
    outer->addStretch(1);
    return frame;
}

QWidget* SettingsDialog::BuildOtherPage() {
    auto* frame = new QWidget;
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(AddGroup(FindControlBinding("Check48")->group, 10, frame));
    auto* fonts = new QGroupBox(QTranslated(texts::kFontsFrame), frame);
    auto* grid = new QGridLayout(fonts);
    for (int row = 1; row <= 4; ++row) {
        grid->addWidget(new QLabel(Text(FontRows()[static_cast<std::size_t>(row - 1)].caption), fonts), row - 1, 0);
        auto* preview = new QLabel(fonts);
        preview->setObjectName(names::FontLabel(row));
        preview->setFrameShape(QFrame::StyledPanel);
        grid->addWidget(preview, row - 1, 1);
        auto* button = new QPushButton(QTranslated(texts::kFontButton), fonts);
        button->setObjectName(names::FontButton(row));
        connect(button, &QPushButton::clicked, this, [this, row] { ChooseFont(row); });
        grid->addWidget(button, row - 1, 2);
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(fonts);
    layout->addStretch(1);
    return frame;
}

void SettingsDialog::Load() {
    MakeJpegReadersExclusive(settings_);
    for (const ControlBinding& binding : SettingsDialogBindings()) {
        const QString value = QString::fromStdString(BoundValue(settings_, binding.key));
        const QString name = Text(binding.control);
        switch (binding.kind) {
            case ControlKind::Check:
                findChild<QCheckBox*>(name)->setChecked(value == QLatin1String("1"));
                break;
            case ControlKind::LayoutText:
            case ControlKind::LiveLayoutText:
            case ControlKind::PlainText:
                findChild<QLineEdit*>(name)->setText(value);
                break;
            case ControlKind::ReadByteChoice:
                findChild<QComboBox*>(name)->setCurrentText(value);
                break;
            case ControlKind::Opacity: {
                auto* slider = findChild<QSlider*>(name);
                {
                    const QSignalBlocker blocker(slider);
                    slider->setValue(settings_.CV_Stealth);
                }
                findChild<QLabel*>(names::kSliderValueLabel)->setText(QString::number(slider->value()));
                // The slider works only where the INI file switched translucency on.
                const bool enabled = settings_.CV_use_stealth == "1";
                slider->setEnabled(enabled);
                for (QLabel* label : slider->parentWidget()->findChildren<QLabel*>()) {
                    const QString text = label->text();
                    if (label->objectName() == QLatin1String(names::kSliderValueLabel) ||
                        text == QTranslated(texts::kTransparent) || text == QTranslated(texts::kOpaque)) {
                        label->setEnabled(enabled);
                    }
                }
                break;
            }
        }
    }
    // Only the display follows the keys here; the user's selection stays as it is.
    if (services_.showHiddenSystem) {
        services_.showHiddenSystem(settings_.FileHiddenFile == "1", settings_.FileSystemFile == "1");
    }
    UpdateFontPreviews();
}

void SettingsDialog::UpdateFontPreviews() {
    for (int row = 1; row <= 4; ++row) {
        const FontSetting font = ReadFontSetting(settings_, FontRows()[static_cast<std::size_t>(row - 1)].keyPrefix);
        findChild<QLabel*>(names::FontLabel(row))->setText(QString::fromStdString(FontPreviewText(font)));
    }
}

void SettingsDialog::Open(QWidget& mainWindow) {
    // As narrow as the widest page allows, so that only the height scrolls and the dialog
    // keeps to the screen beside the main window: wrapped notes wrap rather than widen it.
    ensurePolished();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (QScrollArea* page : findChildren<QScrollArea*>()) {
        page->widget()->ensurePolished();
        // A hidden page's layouts keep the sizes of its widgets from before their texts were
        // set (the font previews): ask them again.
        for (QWidget* inside : page->widget()->findChildren<QWidget*>()) inside->updateGeometry();
        for (QLayout* layout : page->widget()->findChildren<QLayout*>()) layout->invalidate();
        page->setMinimumWidth(page->widget()->minimumSizeHint().width() + scrollBar + 2 * page->frameWidth());
    }
    resize(minimumSizeHint().width(), height());
    dock_->Open(mainWindow, settings_.ChaseSettingWindow == "1");
}

void SettingsDialog::ChooseProgram(int row) {
    const std::size_t index = static_cast<std::size_t>(row - 1);
    const ProgramChoiceStart start = ProgramChoiceStartFor(settings_.ShellExePath[index]);
    const std::optional<std::string> chosen =
        services_.chooseProgram ? services_.chooseProgram(start) : AskProgram(this, start);
    if (!chosen) return;
    settings_.ShellExePath[index] = *chosen;
    findChild<QLineEdit*>(QStringLiteral("ExePath_Text_%1").arg(row))->setText(QString::fromStdString(*chosen));
}

void SettingsDialog::ChooseFont(int row) {
    const std::string_view prefix = FontRows()[static_cast<std::size_t>(row - 1)].keyPrefix;
    // The lists' rows start from the font the list shows now.
    const FontSetting preset = row <= 2 && services_.currentListFont ? services_.currentListFont(row)
                                                                     : ReadFontSetting(settings_, prefix);
    const std::optional<FontSetting> chosen =
        services_.chooseFont ? services_.chooseFont(preset) : AskFont(this, preset);
    if (!chosen) return;
    StoreFontSetting(settings_, prefix, *chosen);
    UpdateFontPreviews();
    if (services_.applyFonts) services_.applyFonts();
}

void SettingsDialog::Save() {
    // The text box that has the focus gives its text first.
    if (auto* edit = qobject_cast<QLineEdit*>(focusWidget())) emit edit->editingFinished();
    if (!SaveSettings(settings_, iniPath_)) {
        if (services_.dialogs) services_.dialogs->ShowMessage(Translated(texts::kSaveFailed) + "\n" + iniPath_);
        return;
    }
    close();
    if (services_.dialogs) services_.dialogs->ShowMessage(Translated(texts::kSaved));
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->objectName() == QLatin1String("Combo1")) {
        const auto key = static_cast<QKeyEvent*>(event)->key();
        // Arrow keys and the popup still choose among the items; typing finds nothing.
        if (!static_cast<QKeyEvent*>(event)->text().isEmpty() && key != Qt::Key_Space) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SettingsDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace pelmora
