// The settings file: whatever it holds, the settings read are allowed ones,
// and they come back unchanged from their own file form.

#include "fuzz/fuzzsupport.h"

#include "envora/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const envora::SettingsFile file = envora::readSettingsXml(fuzz::bytesOf(data, size));
    FUZZ_CHECK(file.settings.check().isEmpty());
    const envora::SettingsFile back = envora::readSettingsXml(envora::toXml(file.settings));
    FUZZ_CHECK(!back.damaged && back.invalidParts.isEmpty());
    FUZZ_CHECK(back.settings == file.settings);
    return 0;
}
