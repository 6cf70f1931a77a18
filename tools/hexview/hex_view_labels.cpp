#include "tools/hexview/hex_view_labels.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "i18n/translation.h"
#include "listing/engine/date_text.h"
#include "platform/file_system.h"
#include "platform/file_system_service.h"
#include "platform/native_path.h"
#include "tools/hexview/hexview_texts.h"

namespace pelmora {

HexViewLabelTexts HexViewLabels(const std::string& path) {
    namespace t = hexview_texts;
    HexViewLabelTexts labels;
    labels.path = std::string(t::kPathLabelStart) + path + t::kLabelEnd;
    labels.update = t::kEmptyUpdateLabel;
    labels.size = t::kEmptySizeLabel;

    // Only a file has a size to show; a folder or a missing path leaves both labels empty.
    if (platform::IsNetworkPath(path)) {
        // A share's file: its facts come from the server.
        const auto facts = platform::FileSystemFor(path).Facts(path);
        if (!facts || facts->isFolder) return labels;
        if (facts->lastWrite.present) {
            if (const auto local = FileTimeToLocalDate(facts->lastWrite.seconds))
                labels.update = t::kUpdateLabelStart + GeneralDateText(*local) + t::kLabelEnd;
        }
        labels.size = t::kSizeLabelStart + GroupedNumberText(static_cast<std::int64_t>(facts->size)) + t::kSizeUnit +
                      t::kLabelEnd;
        return labels;
    }
    std::error_code error;
    const std::filesystem::path file = platform::NativePath(path);
    if (path.empty() || !std::filesystem::is_regular_file(file, error)) return labels;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) return labels;
    const auto written = std::filesystem::last_write_time(file, error);
    if (error) return labels;

    const auto seconds = std::chrono::floor<std::chrono::seconds>(std::chrono::file_clock::to_sys(written));
    if (const auto local = FileTimeToLocalDate(seconds.time_since_epoch().count())) {
        labels.update = t::kUpdateLabelStart + GeneralDateText(*local) + t::kLabelEnd;
    }
    labels.size = t::kSizeLabelStart + GroupedNumberText(static_cast<std::int64_t>(size)) + t::kSizeUnit + t::kLabelEnd;
    return labels;
}

std::string ReadCountLabelText(std::int64_t count) {
    return Translated(hexview_texts::kReadCountStart) + GroupedNumberText(count) + Translated(hexview_texts::kReadCountEnd);
}

std::string GroupedNumberText(std::int64_t value) {
    const std::string digits = std::to_string(value < 0 ? -(value + 1) + 1ULL : static_cast<unsigned long long>(value));
    std::string text = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

}  // namespace pelmora
