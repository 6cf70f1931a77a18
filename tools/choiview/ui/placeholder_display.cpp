#include "tools/choiview/ui/placeholder_display.h"

#include <QWidget>

namespace pelmora {

PlaceholderDisplay::PlaceholderDisplay(QWidget* window, const char* objectName) {
    if (objectName == nullptr) return;
    widget_ = new QWidget(window);
    widget_->setObjectName(objectName);
    widget_->hide();
}

ViewerDisplay::Loaded PlaceholderDisplay::Load(const std::string&, std::string_view) { return Loaded::Unchanged; }

void PlaceholderDisplay::Present(const ViewerGeometry&) {}

void PlaceholderDisplay::Reset() {
    if (widget_ != nullptr) widget_->hide();
}

void PlaceholderDisplay::Relayout(const ViewerGeometry& geometry) {
    if (widget_ != nullptr) widget_->setGeometry(geometry.ContentArea());
}

bool PlaceholderDisplay::IsShowing() const { return widget_ != nullptr && !widget_->isHidden(); }

}  // namespace pelmora
