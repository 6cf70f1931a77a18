#include "platform/profile_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/atomic_file_write.h"
#include "platform/file_lock.h"
#include "platform/native_path.h"

namespace pelmora::platform {

namespace {

bool IsBlankChar(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlankChar(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlankChar(text.back())) text.remove_suffix(1);
    return text;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string AsciiLowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), AsciiLower);
    return out;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

bool HasLineBreakOrNul(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos; }

// What a reader sees of a key line's raw value.
std::string VisibleValue(std::string_view raw) {
    if (auto nul = raw.find('\0'); nul != raw.npos) raw = raw.substr(0, nul);
    raw = Trim(raw);
    if (raw.size() >= 2 && IsQuote(raw.front()) && raw.back() == raw.front()) raw = raw.substr(1, raw.size() - 2);
    if (raw.size() > kMaxProfileValue) raw = raw.substr(0, kMaxProfileValue);
    return std::string(raw);
}

}  // namespace

std::string StoredProfileValue(std::string_view value) {
    const bool losesEnds = !value.empty() && (IsBlankChar(value.front()) || IsBlankChar(value.back()));
    const bool losesQuotes = value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
    if (losesEnds || losesQuotes) return "\"" + std::string(value) + "\"";
    return std::string(value);
}

namespace {

enum class ReadOutcome { Read, Missing, Unreadable };

ReadOutcome ReadWholeFile(const std::string& path, std::string& bytes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(NativePath(path), ec);
    if (status.type() == fs::file_type::not_found) return ReadOutcome::Missing;
    if (ec || fs::is_directory(status)) return ReadOutcome::Unreadable;
    std::ifstream in(NativePath(path), std::ios::binary);
    if (!in) return ReadOutcome::Unreadable;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return ReadOutcome::Unreadable;
    return ReadOutcome::Read;
}

}  // namespace

std::int32_t ParseProfileInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlankChar(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        for (i += 2; i < text.size(); ++i) {
            const char c = AsciiLower(text[i]);
            std::uint32_t digit;
            if (c >= '0' && c <= '9') {
                digit = static_cast<std::uint32_t>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                digit = static_cast<std::uint32_t>(c - 'a' + 10);
            } else {
                break;
            }
            value = value * 16u + digit;
        }
    } else {
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
        }
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

ProfileFile ProfileFile::Load(const std::string& path) {
    std::string bytes;
    if (ReadWholeFile(path, bytes) != ReadOutcome::Read) bytes.clear();
    return Parse(bytes);
}

ProfileFile ProfileFile::Parse(std::string_view bytes) {
    ProfileFile file;
    static constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.substr(0, kBom.size()) == kBom) {
        file.bom_ = kBom;
        bytes.remove_prefix(kBom.size());
    }
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t stop = bytes.find_first_of("\r\n", pos);
        Line line;
        if (stop == bytes.npos) {
            line.text = bytes.substr(pos);
            pos = bytes.size();
        } else {
            line.text = bytes.substr(pos, stop - pos);
            const bool crlf = bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n';
            line.end = bytes.substr(stop, crlf ? 2 : 1);
            pos = stop + line.end.size();
        }
        const std::string_view trimmed = Trim(line.text);
        const std::size_t close = trimmed.rfind(']');
        if (!trimmed.empty() && trimmed.front() == '[' && close != trimmed.npos) {
            line.isSection = true;
            line.name = Trim(trimmed.substr(1, close - 1));
        } else {
            line.name = Trim(trimmed.substr(0, trimmed.find('=')));
        }
        file.lines_.push_back(std::move(line));
    }
    file.BuildIndex();  // a freshly loaded file can then be read from several threads
    return file;
}

void ProfileFile::BuildIndex() const {
    index_.clear();
    SectionIndex* current = nullptr;
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
        const Line& line = lines_[static_cast<std::size_t>(i)];
        if (line.isSection) {
            auto [it, isNew] = index_.try_emplace(AsciiLowered(line.name), SectionIndex{i, {}});
            current = isNew ? &it->second : nullptr;  // a repeated section stays unseen
        } else if (current && !line.name.empty()) {
            current->keys.try_emplace(AsciiLowered(line.name), i);
        }
    }
    indexed_ = true;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key) const {
    if (!indexed_) BuildIndex();
    auto sectionIt = index_.find(AsciiLowered(Trim(section)));
    if (sectionIt == index_.end()) return {};
    auto keyIt = sectionIt->second.keys.find(AsciiLowered(Trim(key)));
    if (keyIt == sectionIt->second.keys.end()) return {};
    const std::string& text = lines_[static_cast<std::size_t>(keyIt->second)].text;
    const std::size_t equals = text.find('=');
    if (equals == text.npos) return {};
    return VisibleValue(std::string_view(text).substr(equals + 1));
}

std::int32_t ProfileFile::ReadInt(std::string_view section, std::string_view key) const {
    return ParseProfileInt(ReadString(section, key));
}

int ProfileFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].isSection && SameName(lines_[i].name, section)) return static_cast<int>(i);
    }
    return -1;
}

int ProfileFile::SectionEnd(int sectionLine) const {
    std::size_t i = static_cast<std::size_t>(sectionLine) + 1;
    while (i < lines_.size() && !lines_[i].isSection) ++i;
    return static_cast<int>(i);
}

int ProfileFile::FindKey(int sectionLine, std::string_view key) const {
    const int end = SectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        if (SameName(lines_[static_cast<std::size_t>(i)].name, key)) return i;
    }
    return -1;
}

bool ProfileFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || key.empty() || HasLineBreakOrNul(section) || HasLineBreakOrNul(key) ||
        HasLineBreakOrNul(value) || section.find(']') != section.npos || key.find('=') != key.npos ||
        key.front() == '[') {
        return false;
    }
    indexed_ = false;
    const std::string keyLine = std::string(key) + "=" + StoredProfileValue(value);

    const int sectionLine = FindSection(section);
    if (sectionLine < 0) {
        if (!lines_.empty()) {
            if (lines_.back().end.empty()) lines_.back().end = "\r\n";
            if (!Trim(lines_.back().text).empty()) lines_.push_back(Line{"", "\r\n", false, ""});
        }
        lines_.push_back(Line{"[" + std::string(section) + "]", "\r\n", true, std::string(section)});
        lines_.push_back(Line{keyLine, "\r\n", false, std::string(key)});
        return true;
    }

    if (const int keyLineIndex = FindKey(sectionLine, key); keyLineIndex >= 0) {
        Line& line = lines_[static_cast<std::size_t>(keyLineIndex)];
        line.text = line.name + "=" + StoredProfileValue(value);
        return true;
    }

    // After the section's last non-blank line, so blank lines keep separating sections.
    int after = sectionLine;
    const int end = SectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        if (!Trim(lines_[static_cast<std::size_t>(i)].text).empty()) after = i;
    }
    Line& previous = lines_[static_cast<std::size_t>(after)];
    if (previous.end.empty()) previous.end = "\r\n";
    lines_.insert(lines_.begin() + after + 1, Line{keyLine, "\r\n", false, std::string(key)});
    return true;
}

bool ProfileFile::RemoveKey(std::string_view section, std::string_view key) {
    const int sectionLine = FindSection(Trim(section));
    if (sectionLine < 0) return false;
    const int keyLine = FindKey(sectionLine, Trim(key));
    if (keyLine < 0) return false;
    lines_.erase(lines_.begin() + keyLine);
    indexed_ = false;
    return true;
}

std::vector<std::pair<std::string, std::string>> ProfileFile::KeyNames() const {
    std::vector<std::pair<std::string, std::string>> names;
    std::string section;
    for (const Line& line : lines_) {
        if (line.isSection) {
            section = line.name;
        } else if (!line.name.empty() && line.name.front() != ';' && line.text.find('=') != std::string::npos) {
            names.emplace_back(section, line.name);
        }
    }
    return names;
}

std::string ProfileFile::Text() const {
    std::string out = bom_;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.end;
    }
    return out;
}

std::string ReadProfileString(std::string_view section, std::string_view key, const std::string& path) {
    return ProfileFile::Load(path).ReadString(section, key);
}

std::int32_t ReadProfileInt(std::string_view section, std::string_view key, const std::string& path) {
    return ProfileFile::Load(path).ReadInt(section, key);
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path) {
    return WriteProfileStrings({ProfileEntry{std::string(section), std::string(key), std::string(value)}}, path);
}

bool WriteProfileStrings(const std::vector<ProfileEntry>& entries, const std::string& path) {
    return UpdateProfileFile(path, [&entries](ProfileFile& file) {
        bool allStored = true;
        for (const ProfileEntry& entry : entries) {
            if (!file.SetString(entry.section, entry.key, entry.value)) allStored = false;
        }
        return allStored;
    });
}

bool UpdateProfileFile(const std::string& path, const std::function<bool(ProfileFile&)>& edit) {
    // Read, locked and written where the writes of saved results go, too: through links.
    const std::string target = WriteTarget(path);
    FileLock lock(target);
    std::string before;
    const ReadOutcome outcome = ReadWholeFile(target, before);
    if (outcome == ReadOutcome::Unreadable) return false;  // never replace what we could not read

    ProfileFile file = ProfileFile::Parse(before);
    const bool complete = edit(file);
    const std::string after = file.Text();
    if (outcome == ReadOutcome::Read && after == before) return complete;
    if (outcome == ReadOutcome::Missing && after.empty()) return complete;
    return ReplaceFileContents(target, after) && complete;
}

}  // namespace pelmora::platform
