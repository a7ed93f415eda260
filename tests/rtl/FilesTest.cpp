// File and folder functions: path text, folders, copying, ages and the program's location.
#include "rtl/Files.h"

#include "TestUtil.h"
#include "rtl/DateTime.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <string>
#include <thread>

using namespace rtl;
using rtltest::ReadFile;
using rtltest::ThrowsWith;
using rtltest::WriteFile;

namespace {

TEST(Files, PathParts) {
    struct Case {
        const char* name;
        const char* path;
        const char* dir;
        const char* file;
        const char* ext;
    };
    const Case cases[] = {
        {"/a/b/c.txt", "/a/b/", "/a/b", "c.txt", ".txt"},
        {"/a/b.d/c", "/a/b.d/", "/a/b.d", "c", ""},
        {"archive.tar.gz", "", "", "archive.tar.gz", ".gz"},
        {"/x", "/", "/", "x", ""},
        {"/a/b/", "/a/b/", "/a/b", "", ""},
        {"отчёты/Отчет.INI", "отчёты/", "отчёты", "Отчет.INI", ".INI"},
        {"", "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ExtractFilePath(c.name), c.path);
        EXPECT_EQ(ExtractFileDir(c.name), c.dir);
        EXPECT_EQ(ExtractFileName(c.name), c.file);
        EXPECT_EQ(ExtractFileExt(c.name), c.ext);
    }
    EXPECT_EQ(ChangeFileExt("/a/b.d/c", ".ini"), "/a/b.d/c.ini");
    EXPECT_EQ(ChangeFileExt("/a/b/c.txt", ".ini"), "/a/b/c.ini");
    EXPECT_EQ(ChangeFileExt("x.tar.gz", ".zip"), "x.tar.zip");
    EXPECT_EQ(ChangeFileExt("x.txt", ""), "x");
    EXPECT_EQ(ChangeFileExt("Отчет.txt", ".log"), "Отчет.log");
}

TEST(Files, TrailingDelimiters) {
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/b"), "/a/b/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/b/"), "/a/b/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/b/"), "/a/b");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/b"), "/a/b");
}

TEST(Files, ExpandFileNameResolvesDotsByText) {
    EXPECT_EQ(ExpandFileName("/a/b/../c/./d"), "/a/c/d");
    EXPECT_EQ(ExpandFileName("/a//b"), "/a/b");
    EXPECT_EQ(ExpandFileName("/.."), "/");
    EXPECT_EQ(ExpandFileName("/a/b/.."), "/a");
    EXPECT_EQ(ExpandFileName("/a/b/"), "/a/b/");
    EXPECT_EQ(ExpandFileName("/"), "/");
    EXPECT_EQ(ExpandFileName(""), "");
    const std::string cwd = GetCurrentDir();
    ASSERT_FALSE(cwd.empty());
    EXPECT_EQ(ExpandFileName("x/../y.ini"), ExpandFileName(cwd + "/y.ini"));
    EXPECT_EQ(ExpandFileName("."), ExpandFileName(cwd));
    EXPECT_EQ(ExpandFileName("./z"), IncludeTrailingPathDelimiter(ExpandFileName(cwd)) + "z");
}

TEST(Files, ForceDirectoriesMakesEveryMissingParent) {
    rtltest::TempDir dir;
    const std::string deep = dir.Path("a/b/c/");
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(dir.Path("a/b/c")));
    EXPECT_TRUE(ForceDirectories(dir.Path("a/b")));  // already there
    EXPECT_TRUE(ForceDirectories(dir.Path("a/b/../d")));
    EXPECT_TRUE(DirectoryExists(dir.Path("a/d")));
    WriteFile(dir.Path("file"), "x");
    EXPECT_FALSE(ForceDirectories(dir.Path("file/sub")));  // a file is in the way
    EXPECT_TRUE(ThrowsWith<EInOutError>([] { ForceDirectories(""); }, "Unable to create directory"));
    EXPECT_TRUE(ForceDirectories("/"));
}

TEST(Files, FolderAndFileFunctions) {
    rtltest::TempDir dir;
    const std::string file = dir.Path("f.txt");
    WriteFile(file, "data");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(dir.Path()));  // a folder is not a file
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(DirectoryExists(dir.Path()));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_TRUE(CreateDir(dir.Path("sub")));
    EXPECT_FALSE(CreateDir(dir.Path("sub")));
    EXPECT_FALSE(DeleteFile(dir.Path("sub")));  // not for folders
    EXPECT_TRUE(RemoveDir(dir.Path("sub")));
    WriteFile(dir.Path("g.txt"), "other");
    EXPECT_FALSE(RenameFile(file, dir.Path("g.txt")));  // an existing target is refused
    EXPECT_EQ(ReadFile(dir.Path("g.txt")), "other");
    EXPECT_TRUE(RenameFile(file, dir.Path("h.txt")));
    EXPECT_FALSE(FileExists(file));
    EXPECT_TRUE(DeleteFile(dir.Path("h.txt")));
    EXPECT_FALSE(DeleteFile(dir.Path("h.txt")));
    EXPECT_EQ(GetTempDir().back(), '/');
}

TEST(Files, CopyFileHonoursFailIfExists) {
    rtltest::TempDir dir;
    const std::string from = dir.Path("from.bin"), to = dir.Path("to.bin");
    std::string payload(200000, '\0');
    for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<char>(i * 31 % 251);
    WriteFile(from, payload);
    ::chmod(from.c_str(), 0754);
    // The permissions are the source's, whatever the process's creation mask says.
    const mode_t savedMask = ::umask(077);
    const bool copied = CopyFile(from, to, true);
    ::umask(savedMask);
    EXPECT_TRUE(copied);
    EXPECT_EQ(ReadFile(to), payload);
    struct stat st {};
    ASSERT_EQ(::stat(to.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0754u);

    WriteFile(to, "keep");
    EXPECT_FALSE(CopyFile(from, to, true));
    EXPECT_EQ(ReadFile(to), "keep");
    EXPECT_TRUE(CopyFile(from, to, false));
    EXPECT_EQ(ReadFile(to), payload);

    EXPECT_FALSE(CopyFile(dir.Path("missing"), dir.Path("x"), false));
    EXPECT_FALSE(FileExists(dir.Path("x")));
    EXPECT_FALSE(CopyFile(dir.Path(), dir.Path("y"), false));  // a folder is not copied
    EXPECT_FALSE(CopyFile(from, dir.Path("no/such/dir/z"), false));
    EXPECT_FALSE(CopyFile(from, dir.Path(), false));  // nor copied over
}

TEST(Files, FileAgeIsTheLocalWriteTimeAsADosDate) {
    rtltest::TempDir dir;
    EXPECT_EQ(FileAge(dir.Path("missing")), -1);
    EXPECT_EQ(FileAge(dir.Path()), -1);
    EXPECT_EQ(FileAge(""), -1);
    const std::string file = dir.Path("aged");
    WriteFile(file, "x");
    const std::int32_t age = FileAge(file);
    ASSERT_NE(age, -1);
    const double seconds = std::fabs(FileDateToDateTime(age).Value() - Now().Value()) * 86400.0;
    EXPECT_LT(seconds, 10.0);  // two-second resolution, plus the time the test takes
}

TEST(Files, HostProgramAndTicks) {
    const std::string folder = HostExeFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(folder.front(), '/');
    EXPECT_EQ(ExtractFileName(HostExeName()), "rtl_tests");
    EXPECT_TRUE(FileExists(folder + "rtl_tests"));
    EXPECT_EQ(HostExeName(), folder + "rtl_tests");

    const std::uint32_t start = GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const std::uint32_t elapsed = GetTickCount() - start;  // unsigned: right across the wrap too
    EXPECT_GE(elapsed, 25u);
    EXPECT_LT(elapsed, 5000u);
}

}  // namespace
