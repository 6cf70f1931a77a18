// The settings file reader and writer on any bytes: reading never fails, and a key that
// was written reads back as written while every other key keeps its value.

#include <string>
#include <vector>

#include "platform/profile_file.h"
#include "tests/fuzz/fuzz_check.h"

using pelmora::platform::ProfileFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pelmora::fuzz::FuzzInput input(data, size);
    const std::string section(input.Text('\n'));
    const std::string key(input.Text('\n'));
    const std::string value(input.Text('\n'));
    const std::string_view fileBytes = input.Rest();

    ProfileFile file = ProfileFile::Parse(fileBytes);
    const std::vector<std::pair<std::string, std::string>> probes = {
        {"Pelmora", "Kakomi"}, {"Pelmora", "FormLeft"}, {"FolderView", "TreeFile"}, {"a", "b"}};
    std::vector<std::string> before;
    for (const auto& [s, k] : probes) {
        before.push_back(file.ReadString(s, k));
        PELMORA_FUZZ_CHECK(before.back().size() <= pelmora::platform::kMaxProfileValue);
        (void)file.ReadInt(s, k);
    }
    // Parsing what the file would write gives the same reading.
    PELMORA_FUZZ_CHECK(ProfileFile::Parse(file.Text()).ReadString(section, key) == file.ReadString(section, key));

    if (!file.SetString(section, key, value)) return 0;
    const ProfileFile written = ProfileFile::Parse(file.Text());
    const std::string expected = value.substr(0, pelmora::platform::kMaxProfileValue);
    if (value.size() <= pelmora::platform::kMaxProfileValue && value.find('\0') == std::string::npos) {
        PELMORA_FUZZ_CHECK(written.ReadString(section, key) == expected);
    }
    for (std::size_t i = 0; i < probes.size(); ++i) {
        const auto& [s, k] = probes[i];
        if (ProfileFile::Parse("[" + s + "]\n" + k + "=x").ReadString(section, key) == "x") continue;  // the same key
        PELMORA_FUZZ_CHECK(written.ReadString(s, k) == before[i]);
    }
    return 0;
}
