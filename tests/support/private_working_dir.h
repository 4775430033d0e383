#pragma once
// Runs a test in a fresh temporary working directory, so "conset.kzx" is private to it.
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace testing_support {

class PrivateWorkingDir {
  public:
    PrivateWorkingDir() {
        old_ = std::filesystem::current_path();
        char tmpl[] = "/tmp/voltscope-cwd-XXXXXX";
        dir_ = ::mkdtemp(tmpl);
        std::filesystem::current_path(dir_);
    }
    ~PrivateWorkingDir() {
        std::error_code ec;
        std::filesystem::current_path(old_, ec);
        std::filesystem::remove_all(dir_, ec);
    }
    const std::string& dir() const { return dir_; }

  private:
    std::filesystem::path old_;
    std::string dir_;
};

inline void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace testing_support
