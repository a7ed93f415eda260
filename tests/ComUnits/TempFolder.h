// A fresh folder under the system temp dir for one test, removed with everything in it
// afterwards; and a scope that makes another folder current for a while.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TTempFolder {
public:
    TTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "comunits_XXXXXX").string();
        if (!::mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp failed";
        path_ = pattern + "/";
    }
    ~TTempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder, with its trailing delimiter.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

inline void WriteFile(const std::string& name, const std::string& text) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << text;
    ASSERT_TRUE(out.good()) << "cannot write " << name;
}

inline std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool IsDir(const std::string& name) { return std::filesystem::is_directory(name); }

class TCurrentDirScope {
public:
    explicit TCurrentDirScope(const std::string& dir) : saved_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~TCurrentDirScope() {
        std::error_code ec;
        std::filesystem::current_path(saved_, ec);
    }
    TCurrentDirScope(const TCurrentDirScope&) = delete;
    TCurrentDirScope& operator=(const TCurrentDirScope&) = delete;

private:
    std::filesystem::path saved_;
};

// Puts a file beside the test program for the scope (the module reads its settings
// there) and afterwards restores what was there before, or removes it.
class THostFileScope {
public:
    THostFileScope(std::string name, const std::string& text) : name_(std::move(name)) {
        had_ = std::filesystem::exists(name_);
        if (had_) saved_ = ReadFile(name_);
        WriteFile(name_, text);
    }
    ~THostFileScope() {
        if (had_) {
            std::ofstream(name_, std::ios::binary | std::ios::trunc) << saved_;
        } else {
            std::error_code ec;
            std::filesystem::remove(name_, ec);
        }
    }
    THostFileScope(const THostFileScope&) = delete;
    THostFileScope& operator=(const THostFileScope&) = delete;

private:
    std::string name_;
    bool had_ = false;
    std::string saved_;
};
