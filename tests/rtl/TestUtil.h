// Helpers of the runtime tests: a scratch folder under the system temp dir, made fresh for
// one test and removed with everything in it afterwards; whole-file reads and writes; and a
// check that a call raises a given exception class with a given text in its message.
#pragma once

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rtltest {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "rtl_tests_XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temp folder");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder itself (no trailing delimiter), or a name inside it.
    const std::string& Path() const { return path_; }
    std::string Path(std::string_view name) const { return path_ + "/" + std::string(name); }

private:
    std::string path_;
};

inline void WriteFile(const std::string& name, std::string_view bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + name);
}

inline std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + name);
    std::ostringstream buf;
    buf << in.rdbuf();
    return buf.str();
}

// Passes when fn raises E (or a class derived from it) whose message holds `part`.
template <class E, class Fn>
::testing::AssertionResult ThrowsWith(Fn&& fn, std::string_view part) {
    try {
        fn();
    } catch (const E& e) {
        if (std::string_view(e.what()).find(part) != std::string_view::npos) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "message \"" << e.what() << "\" lacks \"" << part << "\"";
    } catch (const std::exception& e) {
        return ::testing::AssertionFailure() << "raised " << rtl::ExceptionClassName(e) << ": " << e.what();
    }
    return ::testing::AssertionFailure() << "nothing was raised";
}

}  // namespace rtltest
