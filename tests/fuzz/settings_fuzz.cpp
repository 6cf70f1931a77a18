// Loading, normalising and writing the settings from any file: normalising is idempotent,
// and the INI text of the normalised settings reads back as the same settings.

#include "settings/key_table.h"
#include "settings/settings_store.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    pelmora::Settings settings;
    pelmora::LoadSettingsFromText(settings, bytes);
    pelmora::NormalizeSettings(settings, "/", nullptr);
    const std::string text = pelmora::SettingsAsIniText(settings);

    pelmora::Settings again;
    pelmora::LoadSettingsFromText(again, text);
    pelmora::NormalizeSettings(again, "/", nullptr);
    PELMORA_FUZZ_CHECK(pelmora::SettingsAsIniText(again) == text);
    for (const pelmora::KeyDescriptor& key : pelmora::KeyTable()) {
        PELMORA_FUZZ_CHECK(pelmora::FieldAsText(again, key) == pelmora::FieldAsText(settings, key));
    }
    return 0;
}
