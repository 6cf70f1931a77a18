#include "listing/engine/entry_formatter.h"

#include <charconv>

#include "listing/engine/date_text.h"
#include "listing/engine/enclosed_value.h"
#include "listing/engine/path_ops.h"
#include "platform/file_system.h"

namespace pelmora {

namespace {

bool On(const std::string& value) { return value == "1"; }
bool PatternOn(const std::string& value) { return value != "0"; }

// "#,##0": digits grouped by three with ",".
void AppendSize(std::uint64_t size, bool grouped, std::string& out) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, size).ptr;
    const auto count = static_cast<int>(end - digits);
    if (!grouped) {
        out.append(digits, end);
        return;
    }
    char text[32];
    int length = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) text[length++] = ',';
        text[length++] = digits[i];
    }
    out.append(text, static_cast<std::size_t>(length));
}

// A name that is a valid short name already has no alternate one: it is its own short name
// in upper case. Only ASCII letters change: other bytes, valid UTF-8 or not, pass through
// untouched.
void AppendUpperCase(std::string_view text, bool doubleQuotes, std::string& out) {
    const std::size_t start = out.size();
    AppendQuotesDoubled(text, doubleQuotes, out);
    for (auto i = out.begin() + static_cast<std::ptrdiff_t>(start); i != out.end(); ++i) {
        if (*i >= 'a' && *i <= 'z') *i = static_cast<char>(*i - 'a' + 'A');
    }
}

// ExtensionPart + path; paths without an extension come first, as three spaces sort
// before any extension.
void AppendSortKey(const std::string& path, std::string& key) {
    const std::string_view extension = ExtensionOf(path);
    key.append(extension.empty() ? std::string_view("   ") : extension);
    key.append(path);
}

}  // namespace

std::string ReplaceLayoutTokens(std::string_view layout) {
    constexpr std::string_view kTab = "<TAB>";
    constexpr std::string_view kCrLf = "<CRLF>";
    std::string result;
    result.reserve(layout.size());
    for (std::size_t i = 0; i < layout.size();) {
        if (layout.substr(i, kTab.size()) == kTab) {
            result.push_back('\t');
            i += kTab.size();
        } else if (layout.substr(i, kCrLf.size()) == kCrLf) {
            result.append("\r\n");
            i += kCrLf.size();
        } else {
            result.push_back(layout[i++]);
        }
    }
    return result;
}

EntryFieldSwitches SwitchesFor(const Settings& s, ListingFamily family) {
    EntryFieldSwitches w;
    switch (family) {
        case ListingFamily::File:
            w = {s.FileName, s.FileFullPath, s.FileShortName, s.FileSize, s.FileSizePatarn,
                 s.FileDateTime, s.FileDateTimePatarn, s.FileMakeDateTime, s.FileMakeDateTimePatarn,
                 s.FileAccessDateTime, s.FileAccessDateTimePatarn, s.FileAttrib, {}, {}, {}};
            break;
        case ListingFamily::SFolder:
            w = {s.SFolderName, s.SFolderFullPath, s.SFolderShortName, s.SFolderSize, s.SFolderSizePatarn,
                 s.SFolderDateTime, s.SFolderDateTimePatarn, s.SFolderMakeDateTime, s.SFolderMakeDateTimePatarn,
                 s.SFolderAccessDateTime, s.SFolderAccessDateTimePatarn, s.SFolderAttrib, {}, {}, {}};
            break;
        case ListingFamily::Drop:
            w = {s.DropName, s.DropFullPath, s.DropShortName, s.DropSize, s.DropSizePatarn,
                 s.DropDateTime, s.DropDateTimePatarn, s.DropMakeDateTime, s.DropMakeDateTimePatarn,
                 s.DropAccessDateTime, s.DropAccessDateTimePatarn, s.DropAttrib, {}, {}, {}};
            break;
    }
    w.ExtSort = s.FileExtSort;
    w.Kakomi = s.Kakomi;
    w.Kugiri = s.Kugiri;
    return w;
}

EntryFormatter::EntryFormatter(const EntryFieldSwitches& switches, platform::FileSystem* fileSystem)
    : fileSystem_(fileSystem),
      name_(On(switches.Name)),
      fullPath_(On(switches.FullPath)),
      shortName_(On(switches.ShortName)),
      size_(On(switches.Size)),
      sizePattern_(PatternOn(switches.SizePattern)),
      dateTime_(On(switches.DateTime)),
      dateTimePattern_(PatternOn(switches.DateTimePattern)),
      makeDateTime_(On(switches.MakeDateTime)),
      makeDateTimePattern_(PatternOn(switches.MakeDateTimePattern)),
      accessDateTime_(On(switches.AccessDateTime)),
      accessDateTimePattern_(PatternOn(switches.AccessDateTimePattern)),
      attrib_(On(switches.Attrib)),
      extSort_(On(switches.ExtSort)),
      kakomi_(ReplaceLayoutTokens(switches.Kakomi)),
      kugiri_(ReplaceLayoutTokens(switches.Kugiri)),
      doubleQuotes_(kakomi_ == "\"") {}

// Every field after the first is preceded by the separator. Leaving it off the first one
// is the same as dropping the leading separator when the name field is off.
void EntryFormatter::BeginField(std::string& line, bool& anyField) const {
    if (anyField) line.append(kugiri_);
    anyField = true;
    line.append(kakomi_);
}

void EntryFormatter::AppendField(std::string_view value, std::string& line, bool& anyField) const {
    BeginField(line, anyField);
    AppendQuotesDoubled(value, doubleQuotes_, line);
    line.append(kakomi_);
}

void EntryFormatter::AppendTimeFields(const platform::FileTime& time, bool pattern, std::string& line,
                                      bool& anyField) const {
    const auto local = time.present ? FileTimeToLocalDate(time.seconds) : std::nullopt;
    if (!local) {
        AppendField({}, line, anyField);
        if (pattern) AppendField({}, line, anyField);
        return;
    }
    // Dates hold no quote, so they go straight into the line.
    BeginField(line, anyField);
    if (pattern) {
        AppendDatePatternText(*local, line);
        line.append(kakomi_);
        BeginField(line, anyField);
        AppendTimePatternText(*local, line);
    } else {
        AppendGeneralDateText(*local, line);
    }
    line.append(kakomi_);
}

platform::FileSystem& EntryFormatter::FileSystemOf(const std::string& path) const {
    return fileSystem_ != nullptr ? *fileSystem_ : platform::FileSystemFor(path);
}

void EntryFormatter::Format(const std::string& path, FormattedEntry& out) const {
    const auto facts = FileSystemOf(path).Facts(path);
    if (!facts) {
        out.sortKey.clear();
        out.line.clear();
        out.found = false;
        return;
    }
    Format(path, *facts, out);
}

void EntryFormatter::Format(const std::string& path, const platform::FileFacts& facts, FormattedEntry& out) const {
    out.found = true;
    out.sortKey.clear();
    if (extSort_) AppendSortKey(path, out.sortKey);

    std::string& line = out.line;
    line.clear();
    bool anyField = false;
    if (name_) AppendField(fullPath_ ? std::string_view(path) : FileNameOf(path), line, anyField);
    if (shortName_) {
        BeginField(line, anyField);
        if (facts.shortName.empty()) {
            AppendUpperCase(FileNameOf(path), doubleQuotes_, line);
        } else {
            AppendQuotesDoubled(facts.shortName, doubleQuotes_, line);
        }
        line.append(kakomi_);
    }
    if (size_) {
        BeginField(line, anyField);
        AppendSize(facts.size, sizePattern_, line);
        line.append(kakomi_);
    }
    if (makeDateTime_) AppendTimeFields(facts.creation, makeDateTimePattern_, line, anyField);
    if (dateTime_) AppendTimeFields(facts.lastWrite, dateTimePattern_, line, anyField);
    if (accessDateTime_) AppendTimeFields(facts.lastAccess, accessDateTimePattern_, line, anyField);
    if (attrib_) {
        const std::uint32_t bits = facts.dosAttributes ? *facts.dosAttributes : FileSystemOf(path).DosAttributes(path, facts);
        AppendField(bits & platform::kDosReadOnly ? "ReadOnly(+)" : "ReadOnly(-)", line, anyField);
        AppendField(bits & platform::kDosHidden ? "Hidden(+)" : "Hidden(-)", line, anyField);
        AppendField(bits & platform::kDosSystem ? "System(+)" : "System(-)", line, anyField);
        AppendField(bits & platform::kDosArchive ? "Archive(+)" : "Archive(-)", line, anyField);
    }
}

std::string FormatFolderEntry(const std::string& path, const std::string& fullPath, const std::string& folderMark,
                              const std::string& kakomi) {
    if (path.empty()) return {};
    const std::string enclosing = ReplaceLayoutTokens(kakomi);
    const bool root = platform::IsRootFolder(path);
    std::string name;
    if (On(fullPath)) {
        name = path;
    } else if (root) {
        name = platform::RootFolder();
    } else {
        // A trailing separator must not hide the folder's name.
        name = FileNamePart(platform::WithoutTrailingSeparators(path));
    }
    if (On(folderMark) && !root && !platform::EndsWithSeparator(name)) name.push_back(platform::kPathSeparator);

    std::string text;
    AppendEnclosedValue(name, enclosing, text);
    return text;
}

}  // namespace pelmora
