#include "listing/archive/lzh_listing.h"

#include <lhasa.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "listing/archive/bytes_as_file.h"
#include "listing/archive/member_names.h"
#include "listing/text/utf8_text.h"
#include "platform/local_time.h"
#include "platform/file_system_service.h"

namespace pelmora {
namespace {

// Counts what the reader takes, so that an archive cut short or followed by garbage can be
// told from a whole one: lhasa itself ends quietly in both cases.
struct CountingStream {
    platform::ReadableFile* file = nullptr;
    std::uint64_t position = 0;
    bool readError = false;

    static int Read(void* handle, void* buffer, size_t length) {
        auto* self = static_cast<CountingStream*>(handle);
        // The reader asks for whole fields; a short read means the end.
        size_t got = 0;
        while (got < length) {
            std::size_t part = 0;
            if (!self->file->Read(static_cast<char*>(buffer) + got, length - got, part)) {
                if (got > 0) break;
                self->readError = true;
                return -1;
            }
            if (part == 0) break;
            got += part;
        }
        self->position += got;
        return static_cast<int>(got);
    }
    static int Skip(void* handle, size_t length) {
        auto* self = static_cast<CountingStream*>(handle);
        if (!self->file->SeekTo(self->position + length)) return 0;
        self->position += length;
        return 1;
    }
    static void Close(void*) {}
};

const LHAInputStreamType kCountingStreamType{&CountingStream::Read, &CountingStream::Skip, &CountingStream::Close};


// Names from Japanese systems are Shift_JIS; what decodes as neither that nor UTF-8 shows
// "?" for each byte beyond ASCII, as lhasa does. Control characters show "?" too, as there:
// a line break in a name would split its row.
std::string DecodeMemberName(const std::string& raw) {
    const std::optional<std::string> text = MemberNameAsUtf8(raw);
    std::string shown = text ? *text : raw;
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || (!text && byte >= 0x80)) c = '?';
    }
    return shown;
}

bool IsShiftJisLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// Level 0 and 1 headers keep the path in one field with "\\" (or 0xFF) between folders. In a
// Shift_JIS name the second byte of a character can be 0x5C too ("表" is 95 5C), which the
// reader takes for a separator; the path is rebuilt here from the raw header, character by
// character. Nothing when the raw header is not as expected.
std::optional<std::string> ShiftJisAwarePath(const LHAFileHeader& header) {
    const unsigned char* raw = header.raw_data;
    const std::size_t length = header.raw_data_len;
    if (raw == nullptr || length < 22 || 22u + raw[21] > length) return std::nullopt;
    const std::string field(reinterpret_cast<const char*>(raw + 22), raw[21]);
    bool ascii = true;
    for (char c : field) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return std::nullopt;  // the reader's split is right

    std::string path;
    if (header.header_level == 1 && raw[0] >= 2 && raw[0] + 2u <= length) {
        // The extended headers follow the base header; type 2 holds the folder, 0xFF-separated.
        std::size_t at = raw[0] + 2u;
        std::size_t size = raw[raw[0]] | (raw[raw[0] + 1] << 8);
        while (size >= 3 && at + size <= length) {
            if (raw[at] == 2) {
                for (std::size_t i = at + 1; i < at + size - 2; ++i) path += raw[i] == 0xFF ? '/' : static_cast<char>(raw[i]);
                if (!path.empty() && path.back() != '/') path += '/';
            }
            const std::size_t next = raw[at + size - 2] | (raw[at + size - 1] << 8);
            at += size;
            size = next;
        }
    }
    const bool utf8 = IsValidUtf8(field);
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto byte = static_cast<unsigned char>(field[i]);
        if (!utf8 && IsShiftJisLead(byte) && i + 1 < field.size()) {
            path += field[i];
            path += field[++i];
        } else if (byte == '\\' || byte == 0xFF) {
            path += '/';
        } else {
            path += field[i];
        }
    }
    return path;
}

std::string OperatingSystemColumn(const LHAFileHeader& header) {
    if (LHA_FILE_HAVE_EXTRA(&header, LHA_FILE_UNIX_PERMS)) {
        const unsigned perms = header.unix_perms;
        char text[11];
        const unsigned type = perms & 0170000u;
        text[0] = type == 0040000u ? 'd' : type == 0120000u ? 'l' : '-';
        const char* letters = "rwxrwxrwx";
        // Only the nine permission bits, as lhasa shows them (no set-id or sticky letters).
        for (int bit = 0; bit < 9; ++bit) text[1 + bit] = (perms & (0400u >> bit)) != 0 ? letters[bit] : '-';
        text[10] = '\0';
        char column[40];
        if (LHA_FILE_HAVE_EXTRA(&header, LHA_FILE_UNIX_UID_GID)) {
            std::snprintf(column, sizeof column, "%s %5u/%-5u", text, header.unix_uid, header.unix_gid);
        } else {
            std::snprintf(column, sizeof column, "%-22s", text);
        }
        return column;
    }
    const char* name = "[unknown]";
    switch (header.os_type) {
        case LHA_OS_TYPE_UNKNOWN: name = "[generic]"; break;
        case LHA_OS_TYPE_MSDOS: name = "[MS-DOS]"; break;
        case LHA_OS_TYPE_WIN95: name = "[Win9x]"; break;
        case LHA_OS_TYPE_WINNT: name = "[WinNT]"; break;
        case LHA_OS_TYPE_UNIX: name = "[Unix]"; break;
        case LHA_OS_TYPE_OS2: name = "[OS/2]"; break;
        case LHA_OS_TYPE_MACOS: name = "[Mac OS]"; break;
        case LHA_OS_TYPE_AMIGA: name = "[Amiga]"; break;
        case LHA_OS_TYPE_ATARI: name = "[Atari]"; break;
        case LHA_OS_TYPE_JAVA: name = "[Java]"; break;
        case LHA_OS_TYPE_CPM: name = "[CP/M]"; break;
        case LHA_OS_TYPE_FLEX: name = "[FLEX]"; break;
        case LHA_OS_TYPE_RUNSER: name = "[Runser]"; break;
        case LHA_OS_TYPE_TOWNSOS: name = "[TownsOS]"; break;
        case LHA_OS_TYPE_OS9: name = "[OS-9]"; break;
        case LHA_OS_TYPE_OS9_68K: name = "[OS-9/68K]"; break;
        case LHA_OS_TYPE_OS386: name = "[OS-386]"; break;
        case LHA_OS_TYPE_HUMAN68K: name = "[Human68K]"; break;
        default: break;
    }
    char column[40];
    std::snprintf(column, sizeof column, "%-22s", name);
    return column;
}

// "Mon dd hh:mm" within the last half year, else "Mon dd  yyyy", in local time.
std::string StampText(std::time_t stamp, std::time_t now) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const auto local = platform::LocalTimeOf(stamp);
    if (!local) return std::string(12, ' ');
    constexpr std::time_t kHalfYear = 6 * 30 * 24 * 60 * 60;
    char text[32];
    if (stamp <= now && now - stamp < kHalfYear) {
        std::snprintf(text, sizeof text, "%s %2d %02d:%02d", kMonths[local->month - 1], local->day, local->hour,
                      local->minute);
    } else {
        std::snprintf(text, sizeof text, "%s %2d  %4d", kMonths[local->month - 1], local->day, local->year);
    }
    return text;
}

std::string RatioText(std::uint64_t packed, std::uint64_t size) {
    char text[32];
    std::snprintf(text, sizeof text, "%5.1f%%", size == 0 ? 100.0 : 100.0 * static_cast<double>(packed) / static_cast<double>(size));
    return text;
}

}  // namespace

ArchiveListingResult ListLzhMembers(const std::string& path, std::time_t now) {
    platform::FileSystem& fileSystem = platform::FileSystemFor(path);
    std::error_code error;
    const std::unique_ptr<platform::ReadableFile> file = fileSystem.OpenFileForReading(path, error);
    const std::optional<platform::FileFacts> facts = file ? fileSystem.Facts(path) : std::nullopt;
    if (!facts) {  // Failed
        ArchiveListingResult result;
        result.problem = ArchiveProblem::Unreadable;
        result.readError = error ? error : std::make_error_code(std::errc::no_such_file_or_directory);
        return result;
    }
    return ListLzhMembers(*file, static_cast<std::time_t>(facts->lastWrite.seconds), now);
}

ArchiveListingResult ListLzhMembersOfBytes(std::string_view bytes, std::time_t archiveTime, std::time_t now) {
    BytesAsFile file(bytes);
    return ListLzhMembers(file, archiveTime, now);
}

ArchiveListingResult ListLzhMembers(platform::ReadableFile& file, std::time_t archiveTime, std::time_t now) {
    ArchiveListingResult result;
    const std::uint64_t fileSize = file.Size();

    CountingStream counter{&file, 0, false};
    std::unique_ptr<LHAInputStream, void (*)(LHAInputStream*)> stream(
        lha_input_stream_new(&kCountingStreamType, &counter), &lha_input_stream_free);
    if (!stream) return result;
    std::unique_ptr<LHAReader, void (*)(LHAReader*)> reader(lha_reader_new(stream.get()), &lha_reader_free);
    if (!reader) return result;

    std::string& out = result.text;
    out.append(" PERMSSN    UID  GID    PACKED    SIZE  RATIO METHOD CRC     STAMP          NAME\r\n");
    static const char kRule[] = "---------- ----------- ------- ------- ------ ---------- ------------ -------------\r\n";
    out.append(kRule);

    std::uint64_t members = 0, totalPacked = 0, totalSize = 0;
    std::uint64_t dataEnd = 0;
    while (LHAFileHeader* header = lha_reader_next_file(reader.get())) {
        ++members;
        dataEnd = counter.position + header->compressed_length;
        const bool isFolder = std::strcmp(header->compress_method, LHA_COMPRESS_TYPE_DIR) == 0 &&
                              header->symlink_target == nullptr;
        std::string name;
        std::optional<std::string> rebuilt;
        if (header->header_level <= 1 && header->symlink_target == nullptr) rebuilt = ShiftJisAwarePath(*header);
        if (rebuilt) {
            name = *rebuilt;
        } else {
            if (header->path != nullptr) name += header->path;
            if (header->filename != nullptr) name += header->filename;
        }
        name = DecodeMemberName(name);
        if (header->symlink_target != nullptr) name.append(" -> ").append(DecodeMemberName(header->symlink_target));

        // The method is five bytes of the header as they stand: a control byte there would
        // split the row just as one in a name.
        std::string method = header->compress_method;
        for (char& c : method) {
            if (static_cast<unsigned char>(c) < 0x20) c = '?';
        }
        char row[160];
        std::snprintf(row, sizeof row, "%s %7zu %7zu %s %-5s %04x %s ", OperatingSystemColumn(*header).c_str(),
                      header->compressed_length, header->length,
                      isFolder ? "******" : RatioText(header->compressed_length, header->length).c_str(),
                      method.c_str(), static_cast<unsigned>(header->crc),
                      StampText(static_cast<std::time_t>(header->timestamp), now).c_str());
        out.append(row).append(name).append("\r\n");
        totalPacked += header->compressed_length;
        totalSize += header->length;
    }

    if (counter.readError) {
        result.text.clear();
        result.problem = ArchiveProblem::Unreadable;
        result.readError = std::make_error_code(std::errc::io_error);
        return result;  // Failed
    }
    // A whole archive ends after the last member's data, or with the end mark (a zero byte).
    bool whole = dataEnd <= fileSize;
    if (whole && dataEnd < fileSize) {
        unsigned char mark = 0xFF;
        std::size_t got = 0;
        whole = file.SeekTo(dataEnd) && file.Read(&mark, 1, got) && got == 1 && mark == 0;
    }
    // An archive has at least one valid header: a lone end mark, or a zero byte followed by
    // anything, is no archive.
    if (!whole || members == 0) {
        result.status = ArchiveListingStatus::Damaged;
        result.text.clear();
        if (members == 0) {
            result.problem = ArchiveProblem::NotAnArchive;
        } else if (dataEnd > fileSize) {
            result.problem = ArchiveProblem::CutShort;
            result.byte = fileSize;
        } else {
            result.problem = ArchiveProblem::Damaged;
            result.byte = dataEnd;
        }
        return result;
    }

    out.append(kRule);
    char total[160];
    std::snprintf(total, sizeof total, " Total %9" PRIu64 " file%s %7" PRIu64 " %7" PRIu64 " %s            %s\r\n",
                  members, members == 1 ? " " : "s", totalPacked, totalSize,
                  totalSize == 0 ? "******" : RatioText(totalPacked, totalSize).c_str(),
                  StampText(archiveTime, now).c_str());
    out.append(total);
    result.status = ArchiveListingStatus::Listed;
    return result;
}

}  // namespace pelmora
