#pragma once
// The texts one folder gave the walk (lines, sort keys), end to end in one buffer: a
// folder read ahead by a worker waits in it until the walk order reaches the folder.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

class FolderBatch {
public:
    void Add(std::string_view text) {
        text_.append(text);
        ends_.push_back(text_.size());
    }
    std::size_t Count() const { return ends_.size(); }
    std::string_view At(std::size_t index) const {
        const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
        return std::string_view(text_).substr(begin, ends_[index] - begin);
    }
    // Memory held, roughly.
    std::size_t Bytes() const { return text_.capacity() + ends_.capacity() * sizeof(std::size_t); }
    void Release() {
        text_ = {};
        ends_ = {};
    }

private:
    std::string text_;
    std::vector<std::size_t> ends_;
};

}  // namespace pelmora
