#pragma once
// Bytes in memory read through the ReadableFile interface, so that the archive listers read
// a buffer the way they read an open file.

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/file_system_service.h"

namespace pelmora {

class BytesAsFile final : public platform::ReadableFile {
public:
    // The bytes must outlive the object.
    explicit BytesAsFile(std::string_view bytes) : bytes_(bytes) {}

    std::uint64_t Size() const override { return bytes_.size(); }

    bool Read(void* buffer, std::size_t length, std::size_t& got) override {
        got = position_ < bytes_.size() ? std::min<std::size_t>(length, bytes_.size() - position_) : 0;
        if (got > 0) std::memcpy(buffer, bytes_.data() + position_, got);
        position_ += got;
        return true;
    }

    // Beyond the end, as a file allows: reads there give nothing.
    bool SeekTo(std::uint64_t offset) override {
        position_ = offset;
        return true;
    }

private:
    std::string_view bytes_;
    std::uint64_t position_ = 0;
};

}  // namespace pelmora
