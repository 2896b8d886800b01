#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h> // mkdtemp

namespace tavex::bench {

// A fresh folder under the system's temporary one, removed with what it holds.
class ScratchDir final {
public:
    ScratchDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavex-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        path_ = pattern;
    }
    ~ScratchDir() { std::filesystem::remove_all(path_); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string File(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

} // namespace tavex::bench
