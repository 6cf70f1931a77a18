// A file's line with random switches, facts and name, enclosed in '"' and separated by ',':
// always exactly one CSV record (each field quoted, quotes inside doubled), with one field
// per switched-on column, the name or path first when it is on.

#include <optional>
#include <string>
#include <vector>

#include "listing/engine/entry_formatter.h"
#include "listing/engine/path_ops.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// The fields of one CSV record of quoted fields; nothing when the line is not exactly that.
std::optional<std::vector<std::string>> QuotedFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (;;) {
        if (at >= line.size() || line[at] != '"') return std::nullopt;
        std::string field;
        for (++at;; ++at) {
            if (at >= line.size()) return std::nullopt;
            if (line[at] == '"') {
                if (at + 1 < line.size() && line[at + 1] == '"') {
                    field += '"';
                    ++at;
                    continue;
                }
                ++at;
                break;
            }
            field += line[at];
        }
        fields.push_back(std::move(field));
        if (at == line.size()) return fields;
        if (line[at] != ',') return std::nullopt;
        ++at;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pelmora::fuzz::FuzzInput input(data, size);
    static const char* const kValues[] = {"0", "1", "", "2"};
    pelmora::EntryFieldSwitches w;
    for (std::string* field : {&w.Name, &w.FullPath, &w.ShortName, &w.Size, &w.SizePattern, &w.DateTime,
                               &w.DateTimePattern, &w.MakeDateTime, &w.MakeDateTimePattern, &w.AccessDateTime,
                               &w.AccessDateTimePattern, &w.Attrib, &w.ExtSort}) {
        *field = kValues[input.Byte() & 3];
    }
    w.Kakomi = "\"";
    w.Kugiri = ",";

    pelmora::platform::FileFacts facts;
    auto number = [&input] {
        std::uint64_t value = 0;
        for (int i = 0; i < 8; ++i) value = value << 8 | input.Byte();
        return value;
    };
    facts.size = number();
    for (pelmora::platform::FileTime* time : {&facts.creation, &facts.lastWrite, &facts.lastAccess}) {
        time->present = (input.Byte() & 1) != 0;
        time->seconds = static_cast<std::int64_t>(number());
    }
    facts.dosAttributes = input.Byte();
    const std::string path(input.Rest());

    const pelmora::EntryFormatter formatter(w, nullptr);
    pelmora::FormattedEntry entry;
    formatter.Format(path, facts, entry);
    PELMORA_FUZZ_CHECK(entry.found);

    const auto on = [](const std::string& value) { return value == "1"; };
    const auto patternOn = [](const std::string& value) { return value != "0"; };
    std::size_t expected = (on(w.Name) ? 1 : 0) + (on(w.ShortName) ? 1 : 0) + (on(w.Size) ? 1 : 0) +
                           (on(w.Attrib) ? 4 : 0);
    if (on(w.DateTime)) expected += patternOn(w.DateTimePattern) ? 2 : 1;
    if (on(w.MakeDateTime)) expected += patternOn(w.MakeDateTimePattern) ? 2 : 1;
    if (on(w.AccessDateTime)) expected += patternOn(w.AccessDateTimePattern) ? 2 : 1;

    if (expected == 0) {
        PELMORA_FUZZ_CHECK(entry.line.empty());
        return 0;
    }
    const std::optional<std::vector<std::string>> fields = QuotedFields(entry.line);
    PELMORA_FUZZ_CHECK(fields.has_value());
    PELMORA_FUZZ_CHECK(fields->size() == expected);
    if (on(w.Name)) {
        PELMORA_FUZZ_CHECK(fields->front() == (on(w.FullPath) ? std::string_view(path) : pelmora::FileNameOf(path)));
    }
    return 0;
}
