#pragma once
// The texts one folder gave the walk (lines, sort keys), kept in blocks that never move: a
// folder read ahead by a worker waits in it until the walk order reaches the folder. Blocks
// grow from small to 1 MB, so a folder of a few files costs little and one of a hundred
// thousand is neither copied as it grows nor held twice.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace pelmora {

class FolderBatch {
public:
    void Add(std::string_view text) {
        if (blocks_.empty() || capacity_ - used_ < text.size()) {
            capacity_ = std::max(text.size(), std::min(kLargestBlock, blocks_.empty() ? kFirstBlock : capacity_ * 2));
            blocks_.push_back(std::unique_ptr<char[]>(new char[capacity_]));
            used_ = 0;
            bytes_ += capacity_;
        }
        char* at = blocks_.back().get() + used_;
        std::copy(text.begin(), text.end(), at);
        used_ += text.size();
        texts_.emplace_back(at, text.size());
    }
    std::size_t Count() const { return texts_.size(); }
    std::string_view At(std::size_t index) const { return texts_[index]; }
    // Memory held, roughly.
    std::size_t Bytes() const { return bytes_ + texts_.capacity() * sizeof(std::string_view); }
    void Release() {
        std::vector<std::unique_ptr<char[]>>().swap(blocks_);
        std::vector<std::string_view>().swap(texts_);
        capacity_ = used_ = bytes_ = 0;
    }

private:
    static constexpr std::size_t kFirstBlock = 4096;
    static constexpr std::size_t kLargestBlock = std::size_t{1} << 20;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::string_view> texts_;
    std::size_t capacity_ = 0;  // of the last block
    std::size_t used_ = 0;
    std::size_t bytes_ = 0;
};

}  // namespace pelmora
