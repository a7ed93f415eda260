// The long-path file functions on real files of a temporary folder.
#include "ComUnits/uLongPathFilesFunctions.h"
#include "ComUnits/uLongPathFunctions.h"

#include "TempFolder.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <sys/time.h>

#include <ctime>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

class LongPath : public ::testing::Test {
protected:
    TTempFolder tmp;
};

TEST_F(LongPath, UniqueFileNameCountsFromZeroBeforeTheExtension) {
    EXPECT_EQ(LPUniqueFileName(tmp / "r.xls"), tmp / "r.xls");
    WriteFile(tmp / "r.xls", "");
    EXPECT_EQ(LPUniqueFileName(tmp / "r.xls"), tmp / "r0.xls");
    WriteFile(tmp / "r0.xls", "");
    EXPECT_EQ(LPUniqueFileName(tmp / "r.xls"), tmp / "r1.xls");
    fs::create_directory(tmp / "r1.xls");
    EXPECT_EQ(LPUniqueFileName(tmp / "r.xls"), tmp / "r2.xls") << "a folder takes the name too";

    WriteFile(tmp / "plain", "");
    EXPECT_EQ(LPUniqueFileName(tmp / "plain"), tmp / "plain0");
    fs::create_directory(tmp / "d.x");
    WriteFile(tmp / "d.x/report.tar.gz", "");
    WriteFile(tmp / "d.x/plain", "");
    EXPECT_EQ(LPUniqueFileName(tmp / "d.x/plain"), tmp / "d.x/plain0");
    EXPECT_EQ(LPUniqueFileName(tmp / "d.x/report.tar.gz"), tmp / "d.x/report.tar0.gz");
}

TEST_F(LongPath, ForceDirectories) {
    EXPECT_THROW(LPForceDirectories(""), rtl::EInOutError);
    EXPECT_TRUE(LPForceDirectories(tmp / "a/b/c"));
    EXPECT_TRUE(IsDir(tmp / "a/b/c"));
    EXPECT_TRUE(LPForceDirectories(tmp / "x/y/"));
    EXPECT_TRUE(IsDir(tmp / "x/y"));
    EXPECT_TRUE(LPForceDirectories(tmp / "a/b")) << "an existing folder";
    EXPECT_TRUE(LPForceDirectories("/"));
    WriteFile(tmp / "file", "");
    EXPECT_FALSE(LPForceDirectories(tmp / "file/sub"));
    EXPECT_TRUE(LPCreateDir(tmp / "one"));
    EXPECT_FALSE(LPCreateDir(tmp / "two/three")) << "one level only";
    EXPECT_TRUE(LPDirectoryExists(tmp / "one"));
    EXPECT_FALSE(LPDirectoryExists(tmp / "file"));
}

TEST_F(LongPath, MoveFileReplacesAnExistingTarget) {
    WriteFile(tmp / "from.txt", "new");
    WriteFile(tmp / "to.txt", "old");
    EXPECT_TRUE(LPMoveFile(tmp / "from.txt", tmp / "to.txt"));
    EXPECT_FALSE(fs::exists(tmp / "from.txt"));
    EXPECT_EQ(ReadFile(tmp / "to.txt"), "new");

    EXPECT_FALSE(LPMoveFile(tmp / "from.txt", tmp / "again.txt")) << "the source is gone";
    fs::create_directory(tmp / "folder");
    EXPECT_FALSE(LPMoveFile(tmp / "to.txt", tmp / "folder"));
    EXPECT_EQ(ReadFile(tmp / "to.txt"), "new");
    EXPECT_TRUE(LPMoveFile(tmp / "to.txt", tmp / "folder/moved.txt"));
    EXPECT_EQ(ReadFile(tmp / "folder/moved.txt"), "new");
}

TEST_F(LongPath, CopyFileHonoursFailIfExists) {
    WriteFile(tmp / "src", "source");
    WriteFile(tmp / "dst", "target");
    EXPECT_FALSE(LPCopyFile(tmp / "src", tmp / "dst", true));
    EXPECT_EQ(ReadFile(tmp / "dst"), "target");
    EXPECT_TRUE(LPCopyFile(tmp / "src", tmp / "dst", false));
    EXPECT_EQ(ReadFile(tmp / "dst"), "source");
    EXPECT_TRUE(LPCopyFile(tmp / "src", tmp / "new", true));
    EXPECT_EQ(ReadFile(tmp / "new"), "source");
    EXPECT_FALSE(LPCopyFile(tmp / "none", tmp / "x", false));
    EXPECT_EQ(ReadFile(tmp / "src"), "source");
}

TEST_F(LongPath, DeleteFileTrimsTheName) {
    WriteFile(tmp / "del.txt", "");
    EXPECT_TRUE(LPDeleteFile("  " + (tmp / "del.txt") + " \t"));
    EXPECT_FALSE(fs::exists(tmp / "del.txt"));
    EXPECT_FALSE(LPDeleteFile(tmp / "del.txt"));
    fs::create_directory(tmp / "dir");
    EXPECT_FALSE(LPDeleteFile(tmp / "dir"));
    EXPECT_TRUE(IsDir(tmp / "dir"));
}

// Sets the file's modification time to the given local time.
void SetLocalMTime(const std::string& name, int year, int month, int day, int hour, int min, int sec) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = min;
    tm.tm_sec = sec;
    tm.tm_isdst = -1;
    const timeval times[2] = {{std::mktime(&tm), 0}, {std::mktime(&tm), 0}};
    ASSERT_EQ(::utimes(name.c_str(), times), 0);
}

TEST_F(LongPath, FileAgeIsTheLocalDosDateTimeOfFilesOnly) {
    WriteFile(tmp / "f", "");
    SetLocalMTime(tmp / "f", 2021, 6, 15, 10, 20, 31);
    const std::int32_t expected = static_cast<std::int32_t>(((2021u - 1980u) << 25) | (6u << 21) | (15u << 16) |
                                                            (10u << 11) | (20u << 5) | (31u / 2));
    EXPECT_EQ(LPFileAge(tmp / "f"), expected);
    EXPECT_TRUE(LPFileExists(tmp / "f"));

    fs::create_directory(tmp / "dir");
    EXPECT_EQ(LPFileAge(tmp / "dir"), -1);
    EXPECT_FALSE(LPFileExists(tmp / "dir"));
    EXPECT_EQ(LPFileAge(tmp / "missing"), -1);
    EXPECT_FALSE(LPFileExists(tmp / "missing"));
    EXPECT_FALSE(LPFileExists(""));

    // Outside the DOS date range: no age, but the file is there.
    SetLocalMTime(tmp / "f", 1975, 1, 2, 0, 0, 0);
    EXPECT_EQ(LPFileAge(tmp / "f"), -1);
    EXPECT_TRUE(LPFileExists(tmp / "f"));
}

TEST_F(LongPath, CopyFilesMakesTheTargetFolders) {
    WriteFile(tmp / "a.txt", "A");
    WriteFile(tmp / "b c.txt", "B");
    fs::create_directory(tmp / "old");
    WriteFile(tmp / "old/b2.txt", "stale");
    const std::string from = (tmp / "a.txt") + ",\"" + (tmp / "b c.txt") + "\"";
    const std::string to = (tmp / "x/y/a2.txt") + "," + (tmp / "old/b2.txt");
    EXPECT_TRUE(LPCopyFiles(from, to));
    EXPECT_EQ(ReadFile(tmp / "x/y/a2.txt"), "A");
    EXPECT_EQ(ReadFile(tmp / "old/b2.txt"), "B");

    EXPECT_FALSE(LPCopyFiles(from, tmp / "z/only.txt"));
    EXPECT_FALSE(fs::exists(tmp / "z")) << "lists of different lengths copy nothing";
    EXPECT_FALSE(LPCopyFiles(tmp / "missing.txt", tmp / "w/m.txt"));
}

TEST_F(LongPath, ExpandFileNameGivesAbsolutePaths) {
    TCurrentDirScope cwd(tmp.Path());
    const std::string here = fs::current_path().string();
    EXPECT_EQ(LPExpandFileName(""), "");
    EXPECT_EQ(LPExpandUNCFileName(""), "");
    EXPECT_EQ(LPExpandFileName("x.txt"), here + "/x.txt");
    EXPECT_EQ(LPExpandFileName("sub/../y/./z.xls"), here + "/y/z.xls");
    EXPECT_EQ(LPExpandFileName("/var/../tmp/r.xls"), "/tmp/r.xls");
    EXPECT_EQ(LPExpandUNCFileName("sub/r.xls"), here + "/sub/r.xls");
    EXPECT_EQ(LPExpandUNCFileName("/srv/share/r.xls"), "/srv/share/r.xls");
}

}  // namespace
