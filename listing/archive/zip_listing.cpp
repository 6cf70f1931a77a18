#include "listing/archive/zip_listing.h"

#include <zip.h>

#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "listing/archive/bytes_as_file.h"
#include "listing/archive/member_names.h"
#include "platform/local_time.h"

namespace pelmora {
namespace {

std::uint16_t Read16(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}
std::uint32_t Read32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}
std::uint64_t Read64(const unsigned char* bytes) {
    return Read32(bytes) | (static_cast<std::uint64_t>(Read32(bytes + 4)) << 32);
}

// The two central-directory fields libzip does not hand out: the general-purpose flags (the
// deflate option letter and encryption) and the raw DOS date and time.
struct RawCentralFields {
    std::uint16_t flags = 0;
    std::uint32_t dosDateTime = 0;
};

// Reads up to length bytes at offset; the count read, or nothing on a read error.
std::optional<std::size_t> ReadAt(platform::ReadableFile& file, std::uint64_t offset, void* buffer, std::size_t length) {
    if (!file.SeekTo(offset)) return std::nullopt;
    std::size_t got = 0;
    while (got < length) {
        std::size_t part = 0;
        if (!file.Read(static_cast<char*>(buffer) + got, length - got, part)) return std::nullopt;
        if (part == 0) break;
        got += part;
    }
    return got;
}

bool ReadWhole(platform::ReadableFile& file, std::uint64_t offset, void* buffer, std::size_t length) {
    const std::optional<std::size_t> got = ReadAt(file, offset, buffer, length);
    return got && *got == length;
}

std::vector<RawCentralFields> ReadRawCentralFields(platform::ReadableFile& file) {
    std::vector<RawCentralFields> fields;
    const std::uint64_t size = file.Size();
    const std::uint64_t tailSize = std::min<std::uint64_t>(size, 65557);
    std::vector<unsigned char> tail(tailSize);
    if (!ReadWhole(file, size - tailSize, tail.data(), tail.size())) return fields;

    std::optional<std::size_t> end;
    for (std::size_t i = tailSize >= 22 ? tailSize - 22 + 1 : 0; i-- > 0;) {
        if (tail[i] == 'P' && tail[i + 1] == 'K' && tail[i + 2] == 5 && tail[i + 3] == 6) {
            end = i;
            break;
        }
    }
    if (!end) return fields;
    std::uint64_t directoryOffset = Read32(&tail[*end + 16]);
    std::uint64_t directorySize = Read32(&tail[*end + 12]);
    if ((directoryOffset == 0xFFFFFFFFu || directorySize == 0xFFFFFFFFu) && *end >= 20 &&
        Read32(&tail[*end - 20]) == 0x07064b50u) {
        unsigned char record[56];
        if (!ReadWhole(file, Read64(&tail[*end - 20 + 8]), record, sizeof record) || Read32(record) != 0x06064b50u) {
            return fields;
        }
        directorySize = Read64(record + 40);
        directoryOffset = Read64(record + 48);
    }
    if (directoryOffset > size || directorySize > size - directoryOffset) return fields;
    std::vector<unsigned char> directory(directorySize);
    if (!ReadWhole(file, directoryOffset, directory.data(), directory.size())) return fields;
    for (std::size_t at = 0; at + 46 <= directory.size() && Read32(&directory[at]) == 0x02014b50u;) {
        fields.push_back({Read16(&directory[at + 8]), Read32(&directory[at + 12])});
        at += 46u + Read16(&directory[at + 28]) + Read16(&directory[at + 30]) + Read16(&directory[at + 32]);
    }
    return fields;
}

// libzip reads the archive through this source, so one open file serves libzip and the
// read of the raw fields above.
struct FileSource {
    explicit FileSource(platform::ReadableFile& readable) : file(readable) { zip_error_init(&error); }
    ~FileSource() { zip_error_fini(&error); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    platform::ReadableFile& file;
    std::uint64_t position = 0;
    zip_error_t error;

    static zip_int64_t Callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
        auto* self = static_cast<FileSource*>(state);
        const std::uint64_t size = self->file.Size();
        switch (command) {
            case ZIP_SOURCE_OPEN:
                self->position = 0;
                return 0;
            case ZIP_SOURCE_READ: {
                const std::optional<std::size_t> got = ReadAt(self->file, self->position, data, length);
                if (!got) {
                    zip_error_set(&self->error, ZIP_ER_READ, EIO);
                    return -1;
                }
                self->position += *got;
                return static_cast<zip_int64_t>(*got);
            }
            case ZIP_SOURCE_CLOSE:
            case ZIP_SOURCE_FREE:
                return 0;
            case ZIP_SOURCE_STAT: {
                if (length < sizeof(zip_stat_t)) {
                    zip_error_set(&self->error, ZIP_ER_INVAL, 0);
                    return -1;
                }
                auto* stat = static_cast<zip_stat_t*>(data);
                zip_stat_init(stat);
                stat->size = size;
                stat->valid |= ZIP_STAT_SIZE;
                return sizeof(zip_stat_t);
            }
            case ZIP_SOURCE_ERROR:
                return zip_error_to_data(&self->error, data, length);
            case ZIP_SOURCE_SEEK: {
                const zip_int64_t offset = zip_source_seek_compute_offset(self->position, size, data, length, &self->error);
                if (offset < 0) return -1;
                self->position = static_cast<std::uint64_t>(offset);
                return 0;
            }
            case ZIP_SOURCE_TELL:
                return static_cast<zip_int64_t>(self->position);
            case ZIP_SOURCE_ACCEPT_EMPTY:
                return 0;  // an empty file is no archive, as libzip's own file source says
            case ZIP_SOURCE_SUPPORTS:
                return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                      ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL,
                                                      ZIP_SOURCE_ACCEPT_EMPTY, ZIP_SOURCE_SUPPORTS, -1);
            default:
                zip_error_set(&self->error, ZIP_ER_OPNOTSUPP, 0);
                return -1;
        }
    }
};

// The modification time of an "UT" (0x5455) or old "UX" (0x5855) extra field, if any.
std::optional<std::time_t> UnixModificationTime(zip_t* archive, zip_uint64_t index) {
    zip_uint16_t length = 0;
    const zip_uint8_t* data = zip_file_extra_field_get_by_id(archive, index, 0x5455, 0, &length, ZIP_FL_CENTRAL);
    if (data != nullptr && length >= 5 && (data[0] & 1) != 0) {
        return static_cast<std::time_t>(static_cast<std::int32_t>(Read32(data + 1)));
    }
    data = zip_file_extra_field_get_by_id(archive, index, 0x5855, 0, &length, ZIP_FL_CENTRAL);
    if (data != nullptr && length >= 8) return static_cast<std::time_t>(static_cast<std::int32_t>(Read32(data + 4)));
    return std::nullopt;
}

std::string MethodText(std::uint16_t method, std::uint16_t flags) {
    static const char* const kNames[] = {"Stored",  "Shrunk", "Reduce1", "Reduce2", "Reduce3", "Reduce4",
                                         "Implode", "Token",  "Defl:#",  "Def64#",  "ImplDCL"};
    std::string text;
    if (method < std::size(kNames)) {
        text = kNames[method];
    } else if (method == 12) {
        text = "BZip2";
    } else if (method == 14) {
        text = "LZMA";
    } else if (method == 18) {
        text = "Terse";
    } else if (method == 19) {
        text = "IBMLZ77";
    } else if (method == 97) {
        text = "WavPack";
    } else if (method == 98) {
        text = "PPMd";
    } else {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, method <= 999 ? "Unk:%03u" : "Unk:%04X", static_cast<unsigned>(method));
        text = buffer;
    }
    if (method == 8 || method == 9) text[5] = "NXFS"[(flags >> 1) & 3];
    return text;
}

// A 64-bit figure cut to 32 bits, two's complement, as unzip's int conversion cuts it.
std::int32_t WrappedToInt32(std::uint64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }
std::int32_t NegatedWrapped(std::int32_t value) { return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(value)); }

// The saving in tenths of a percent, rounded; negative when the member grew. A claimed
// size far beyond the length leaves 32 bits; the figure then wraps as in "unzip -v", so
// the listings stay alike.
std::int32_t PermilleSaved(std::uint64_t length, std::uint64_t size) {
    if (length == 0) return 0;
    if (length > 2000000) {
        const std::uint64_t unit = length / 1000;
        return length >= size ? WrappedToInt32((length - size + unit / 2) / unit)
                              : NegatedWrapped(WrappedToInt32((size - length + unit / 2) / unit));
    }
    return length >= size ? WrappedToInt32((1000 * (length - size) + length / 2) / length)
                          : NegatedWrapped(WrappedToInt32((1000 * (size - length) + length / 2) / length));
}

std::string RatioText(std::uint64_t length, std::uint64_t size) {
    const std::int64_t permille = PermilleSaved(length, size);
    const std::int64_t percent = ((permille < 0 ? -permille : permille) + 5) / 10;
    std::string text = percent == 100 ? "100" : (permille < 0 ? "-" : " ") + std::to_string(percent);
    text += '%';
    if (text.size() < 4) text.insert(0, 4 - text.size(), ' ');
    return text;
}

// Right-aligned decimal in at least width columns; the rows are built by hand because a
// printf per row is a good part of the time on a large archive.
void AppendNumber(std::string& out, std::uint64_t value, std::size_t width) {
    char digits[24];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    if (count < width) out.append(width - count, ' ');
    while (count > 0) out += digits[--count];
}

void AppendZeroPadded(std::string& out, unsigned value, std::size_t width) {
    char digits[16];
    for (std::size_t i = width; i-- > 0;) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(digits, width);
}

void AppendHex8(std::string& out, std::uint32_t value) {
    static const char kHex[] = "0123456789abcdef";
    for (int shift = 28; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

void AppendFormatted(std::string& out, const char* format, auto... values) {
    char buffer[128];
    const int length = std::snprintf(buffer, sizeof buffer, format, values...);
    if (length > 0) out.append(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1));
}

}  // namespace

ArchiveListingResult ListZipMembers(const std::string& path) {
    std::error_code error;
    const std::unique_ptr<platform::ReadableFile> file = platform::FileSystemFor(path).OpenFileForReading(path, error);
    if (!file) {  // Failed: there is no file to read
        ArchiveListingResult result;
        result.problem = ArchiveProblem::Unreadable;
        result.readError = error;
        return result;
    }
    return ListZipMembers(*file, path);
}

ArchiveListingResult ListZipMembersOfBytes(std::string_view bytes, const std::string& shownPath) {
    BytesAsFile file(bytes);
    return ListZipMembers(file, shownPath);
}

ArchiveListingResult ListZipMembers(platform::ReadableFile& file, const std::string& shownPath) {
    ArchiveListingResult result;
    FileSource source(file);
    zip_error_t openError;
    zip_error_init(&openError);
    zip_source_t* zipSource = zip_source_function_create(&FileSource::Callback, &source, &openError);
    std::unique_ptr<zip_t, void (*)(zip_t*)> archive(
        zipSource != nullptr ? zip_open_from_source(zipSource, ZIP_RDONLY, &openError) : nullptr, &zip_discard);
    const int error = zip_error_code_zip(&openError);
    const char* const errorText = zip_error_strerror(&openError);
    const std::string openErrorText = errorText != nullptr ? errorText : "";
    zip_error_fini(&openError);
    if (!archive) {
        if (zipSource != nullptr) zip_source_free(zipSource);  // the archive owns it once open
        const bool unreadable = error == ZIP_ER_OPEN || error == ZIP_ER_READ || error == ZIP_ER_MEMORY ||
                                error == ZIP_ER_NOENT || error == ZIP_ER_SEEK;
        result.status = unreadable ? ArchiveListingStatus::Failed : ArchiveListingStatus::Damaged;
        if (unreadable) {
            result.problem = ArchiveProblem::Unreadable;
            result.readError = std::make_error_code(std::errc::io_error);
        } else if (error == ZIP_ER_NOZIP) {
            // No end record: an archive cut short still begins with a member's header.
            unsigned char start[4] = {};
            const bool begunAsZip = ReadWhole(file, 0, start, sizeof start) && start[0] == 'P' && start[1] == 'K' &&
                                    start[2] == 3 && start[3] == 4;
            result.problem = begunAsZip ? ArchiveProblem::CutShort : ArchiveProblem::NotAnArchive;
            result.byte = file.Size();
        } else {
            result.problem = ArchiveProblem::Damaged;
            result.detail = openErrorText;
        }
        return result;
    }
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    const std::vector<RawCentralFields> raw = ReadRawCentralFields(file);
    const bool haveRaw = raw.size() == static_cast<std::size_t>(count);

    std::string& out = result.text;
    out.reserve(static_cast<std::size_t>(count) * 80 + 256);
    out.append("Archive:  ").append(shownPath).append("\n");
    int commentLength = 0;
    if (const char* comment = zip_get_archive_comment(archive.get(), &commentLength, ZIP_FL_ENC_RAW);
        comment != nullptr && commentLength > 0) {
        // Comments are stored with CR LF line ends; the listing shows them with LF.
        const std::string_view text(comment, static_cast<std::size_t>(commentLength));
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
            out += text[i];
        }
        if (out.back() != '\n') out += '\n';
    }
    if (count > 0) {
        out.append(" Length   Method    Size  Cmpr    Date    Time   CRC-32   Name\n");
        out.append("--------  ------  ------- ---- ---------- ----- --------  ----\n");
    }
    std::uint64_t totalLength = 0;
    std::uint64_t totalSize = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const zip_uint64_t index = static_cast<zip_uint64_t>(i);
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), index, ZIP_FL_ENC_RAW, &stat) != 0) {
            result.status = ArchiveListingStatus::Damaged;
            result.problem = ArchiveProblem::Damaged;
            result.detail = zip_strerror(archive.get());
            result.text.clear();
            return result;
        }
        const RawCentralFields fields = haveRaw ? raw[static_cast<std::size_t>(i)] : RawCentralFields{};
        std::uint64_t size = stat.comp_size;
        if ((fields.flags & 1) != 0 && size >= 12) size -= 12;  // the encryption header is not data

        unsigned year, month, day, hour, minute;
        const std::optional<std::time_t> unixTime = UnixModificationTime(archive.get(), index);
        std::optional<platform::LocalClock> local;
        if (unixTime) local = platform::LocalTimeOf(*unixTime);
        if (local) {
            year = static_cast<unsigned>(local->year);
            month = static_cast<unsigned>(local->month);
            day = static_cast<unsigned>(local->day);
            hour = static_cast<unsigned>(local->hour);
            minute = static_cast<unsigned>(local->minute);
        } else if (haveRaw) {
            const std::uint32_t dos = fields.dosDateTime;
            year = ((dos >> 25) & 0x7F) + 1980;
            month = (dos >> 21) & 0x0F;
            day = (dos >> 16) & 0x1F;
            hour = (dos >> 11) & 0x1F;
            minute = (dos >> 5) & 0x3F;
        } else {
            // A time the system cannot show leaves the fields of an empty date.
            const platform::LocalClock shown = platform::LocalTimeOf(stat.mtime).value_or(platform::LocalClock{1900, 1});
            year = static_cast<unsigned>(shown.year);
            month = static_cast<unsigned>(shown.month);
            day = static_cast<unsigned>(shown.day);
            hour = static_cast<unsigned>(shown.hour);
            minute = static_cast<unsigned>(shown.minute);
        }
        AppendNumber(out, stat.size, 8);
        out += "  ";
        const std::string method = MethodText(static_cast<std::uint16_t>(stat.comp_method), fields.flags);
        out += method;
        if (method.size() < 7) out.append(7 - method.size(), ' ');
        AppendNumber(out, size, 8);
        out += ' ';
        out += RatioText(stat.size, size);
        out += ' ';
        AppendZeroPadded(out, year, 4);
        out += '-';
        AppendZeroPadded(out, month, 2);
        out += '-';
        AppendZeroPadded(out, day, 2);
        out += ' ';
        AppendZeroPadded(out, hour, 2);
        out += ':';
        AppendZeroPadded(out, minute, 2);
        out += ' ';
        AppendHex8(out, static_cast<std::uint32_t>(stat.crc));
        out += "  ";
        // Names without the UTF-8 flag are in the archiving system's code page: from a
        // Japanese system, Shift_JIS. Names that decode as neither stay as they are.
        std::string name = stat.name != nullptr ? stat.name : "";
        if ((fields.flags & 0x800) == 0) {
            if (std::optional<std::string> text = MemberNameAsUtf8(name)) name = std::move(*text);
        }
        // Control characters show as "^" and a letter, as "unzip -v" shows them, so that no
        // name splits its row.
        for (const char c : name) {
            if (static_cast<unsigned char>(c) < 0x20) {
                out += '^';
                out += static_cast<char>(c + 64);
            } else {
                out += c;
            }
        }
        out += '\n';
        totalLength += stat.size;
        totalSize += size;
    }
    if (count > 0) {
        out.append("--------          -------  ---                            -------\n");
        AppendFormatted(out, "%8" PRIu64 "         %8" PRIu64 " %4s                            %" PRId64 " file%s\n",
                        totalLength, totalSize, RatioText(totalLength, totalSize).c_str(),
                        static_cast<std::int64_t>(count), count == 1 ? "" : "s");
    }
    result.status = ArchiveListingStatus::Listed;
    return result;
}

}  // namespace pelmora
