#pragma once
// A fresh program folder in the temporary folder for one test, removed
// afterwards with all in it, folders a test made read-only included.

#include "platform/db.h"
#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace platform_test {

class TempFolder {
public:
    TempFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "brotalia-test-XXXXXX").string();
        path_ = ::mkdtemp(tmpl.data());
        platform::SetProgramFolder(path_);
    }
    ~TempFolder() {
        platform::Workspace::Default().CloseAll();
        std::error_code ec;
        namespace fs = std::filesystem;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        for (auto i = fs::recursive_directory_iterator(path_, ec); !ec && i != fs::recursive_directory_iterator();
             i.increment(ec))
            if (i->is_directory(ec)) fs::permissions(i->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
        platform::SetProgramFolder("");
    }
    const std::string& path() const { return path_; }

    // Creates a file (and its folders) below the folder, path relative, with slashes.
    std::string write(const std::string& rel, const std::string& content = "x") const {
        std::filesystem::path p = std::filesystem::path(path_) / rel;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << content;
        return p.string();
    }

private:
    std::string path_;
};

inline std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace platform_test
