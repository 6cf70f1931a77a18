#pragma once
// A volume with or without per-file permissions whose entries the test gives, recording
// which paths it was asked about.

#include <string>
#include <vector>

#include "platform/security.h"

namespace pelmora::testing {

class FakeSecurity : public platform::SecurityService {
public:
    bool keeps = true;
    bool readable = true;
    std::vector<platform::AccessEntry> entries;
    mutable std::string askedVolume, askedEntries;

    bool KeepsPerFilePermissions(const std::string& path) const override {
        askedVolume = path;
        return keeps;
    }
    bool ReadAccessEntries(const std::string& path, std::vector<platform::AccessEntry>& out) const override {
        askedEntries = path;
        out = entries;
        return readable;
    }
};

}  // namespace pelmora::testing
