#include "listing/engine/result_output.h"

#include <ctime>

#include "i18n/translation.h"
#include "listing/engine/listing_messages.h"
#include "listing/engine/path_ops.h"
#include "platform/atomic_file_write.h"
#include "settings/trim_spaces.h"

namespace pelmora {

namespace {

void AppendTwoDigits(int value, std::string& out) {
    out.push_back(static_cast<char>('0' + value / 10 % 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

}  // namespace

void DeliverToClipboard(JobContext& context, const std::string& text) {
    context.clipboard.Clear();
    if (!text.empty()) context.clipboard.SetText(text);
    context.progress.Pump();
}

void DeliverToClipboard(JobContext& context, const std::shared_ptr<const std::string>& text) {
    context.clipboard.Clear();
    if (!text->empty()) context.clipboard.SetSharedText(text);
    context.progress.Pump();
}

std::string SaveTimeStamp(const LocalDateTime& now) {
    std::string stamp;
    AppendTwoDigits(now.month, stamp);
    AppendTwoDigits(now.day, stamp);
    stamp.push_back('-');
    AppendTwoDigits(now.hour, stamp);
    AppendTwoDigits(now.minute, stamp);
    AppendTwoDigits(now.second, stamp);
    return stamp;
}

SaveRequest MakeSaveRequest(const std::string& defaultPath, const LocalDateTime& now) {
    const std::string trimmed(TrimSpaces(defaultPath));
    SaveRequest request;
    request.title = Translated(kSaveDialogTitle);
    request.filter = kSaveDialogFilter;
    // A file directly below the root has the empty folder part; it still starts at the root.
    request.startFolder = FolderPart(trimmed);
    if (request.startFolder.empty() && !trimmed.empty() && trimmed[0] == '/') request.startFolder = "/";
    request.proposedName = FileNamePart(trimmed) + "(" + SaveTimeStamp(now) + ")";
    return request;
}

bool WriteResultFile(const std::string& path, const std::string& text) {
    return platform::ReplaceFileContents(path, text);
}

void SaveResultToFile(JobContext& context, const std::string& defaultPath, const std::string& text) {
    const auto now = FileTimeToLocalDate(static_cast<std::int64_t>(std::time(nullptr)));
    const auto chosen = context.saveDialog.AskSavePath(MakeSaveRequest(defaultPath, now.value_or(LocalDateTime{})));
    if (!chosen) {
        context.dialogs.ShowMessage(Translated(kSaveCancelled));
        return;
    }
    context.dialogs.ShowMessage(Translated(WriteResultFile(*chosen, text) ? kSaved : kSaveFailed));
}

}  // namespace pelmora
