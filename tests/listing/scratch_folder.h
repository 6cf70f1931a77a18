#pragma once
// A fresh temporary folder per test, removed with everything in it afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace pelmora::testing {

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pelmora-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot create a temporary folder";
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string Child(const std::string& name) const { return path_ + "/" + name; }

    std::string WriteFile(const std::string& name, const std::string& bytes) const {
        const std::string file = Child(name);
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

private:
    std::string path_;
};

}  // namespace pelmora::testing
