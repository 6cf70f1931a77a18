#pragma once
// What one folder gave the walk: its lines and, for the extension sort, their sort keys. A
// folder read ahead by a worker waits in it until the walk order reaches the folder.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace pelmora {

// Texts kept in blocks that never move, so views into them stay valid while more are added
// and after the texts are moved elsewhere. Blocks grow from 4 KB to 64 KB: a folder of a few
// files costs little, one of a hundred thousand is not copied as it grows, and every block
// comes from the C library's heap, where the next folders reuse it once it is given back.
class FolderTexts {
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
    static constexpr std::size_t kLargestBlock = std::size_t{64} << 10;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::string_view> texts_;
    std::size_t capacity_ = 0;  // of the last block
    std::size_t used_ = 0;
    std::size_t bytes_ = 0;
};

struct FolderBatch {
    FolderTexts lines;
    FolderTexts keys;  // empty, or one per line

    std::size_t Bytes() const { return lines.Bytes() + keys.Bytes(); }
    void Release() {
        lines.Release();
        keys.Release();
    }
};

}  // namespace pelmora
