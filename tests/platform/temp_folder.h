#pragma once
// A fresh program folder under /tmp for one test, removed afterwards.

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
        char tmpl[] = "/tmp/brotalia-test-XXXXXX";
        path_ = ::mkdtemp(tmpl);
        platform::SetProgramFolder(path_);
    }
    ~TempFolder() {
        platform::Workspace::Default().CloseAll();
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
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
