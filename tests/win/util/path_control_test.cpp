// PathControl and CShellFileOp on real files of a fresh Windows machine.
// Covered: folder chains, whole-file copy (truncation, exclusive locks, short writes on a full volume),
// retried deletion, shell deletion to the Recycle Bin, existence tests with patterns.
#include "util/path_control.h"
#include "util/shell_file_op.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

const std::string kRoot = "C:\\lqtest";

using lqtest::IsFolder;

// Into a folder that is there already: making folders is what these tests check of PathControl.
void WriteFileBytes(const std::string& strPath, const std::string& strBytes) {
    ASSERT_TRUE(IsFolder(strPath.substr(0, strPath.find_last_of('\\')))) << strPath;
    ASSERT_TRUE(lqtest::WriteFileBytes(strPath, strBytes)) << strPath;
}

// "<missing>" tells a missing file from an empty one.
std::string ReadFileBytes(const std::string& strPath) {
    return lqtest::PathExists(strPath) ? lqtest::ReadFileBytes(strPath) : "<missing>";
}

class PathControlTest : public ::testing::Test {
protected:
    void SetUp() override { path.MakeDirectories(kRoot); }
    PathControl path;
};

TEST_F(PathControlTest, MakeDirectoriesCreatesTheWholeChainAndToleratesExistingFolders) {
    EXPECT_FALSE(IsFolder("C:\\ZmtPlugin"));
    EXPECT_TRUE(path.MakeDirectories("C:\\ZmtPlugin\\bin\\"));
    EXPECT_TRUE(IsFolder("C:\\ZmtPlugin"));
    EXPECT_TRUE(IsFolder("C:\\ZmtPlugin\\bin"));
    EXPECT_TRUE(path.MakeDirectories("C:\\ZmtPlugin\\bin\\")) << "existing folders are no error";
    EXPECT_TRUE(path.MakeDirectories("Q:\\nowhere\\at\\all")) << "failures are ignored";
}

TEST_F(PathControlTest, MakeDirectoriesHandlesKoreanFolderNames) {
    const std::string strFolder = kRoot + "\\포토샵\\플러그-인";
    EXPECT_TRUE(path.MakeDirectories(strFolder));
    EXPECT_TRUE(IsFolder(strFolder));
}

TEST_F(PathControlTest, CopyWholeFileReplacesALargerDestinationByExactlyTheSourceBytes) {
    std::string strSource = kRoot + "\\small.bin", strDest = kRoot + "\\large.bin";
    WriteFileBytes(strSource, std::string("\x00\x01" "abc\r\n", 7));
    WriteFileBytes(strDest, std::string(5000, 'x'));
    EXPECT_EQ(0, path.CopyWholeFile(strSource, strDest));
    EXPECT_EQ(std::string("\x00\x01" "abc\r\n", 7), ReadFileBytes(strDest));
}

TEST_F(PathControlTest, CopyWholeFileOfAnEmptyFileGivesAnEmptyFile) {
    WriteFileBytes(kRoot + "\\empty", "");
    EXPECT_EQ(0, path.CopyWholeFile(kRoot + "\\empty", kRoot + "\\empty.copy"));
    EXPECT_EQ("", ReadFileBytes(kRoot + "\\empty.copy"));
}

TEST_F(PathControlTest, CopyWholeFileFailsForMissingSourceOrFolder) {
    WriteFileBytes(kRoot + "\\src", "data");
    EXPECT_EQ(1, path.CopyWholeFile(kRoot + "\\no-such-file", kRoot + "\\dst"));
    EXPECT_EQ("<missing>", ReadFileBytes(kRoot + "\\dst"));
    EXPECT_EQ(1, path.CopyWholeFile(kRoot + "\\src", kRoot + "\\no-such-folder\\dst"));
}

TEST_F(PathControlTest, CopyWholeFileFailsWhileAnotherProgramHoldsEitherFileExclusively) {
    WriteFileBytes(kRoot + "\\src", "new");
    lqtest::HeldFile held(kRoot + "\\dst", "old");
    ASSERT_TRUE(held.IsHeld());
    EXPECT_EQ(1, path.CopyWholeFile(kRoot + "\\src", kRoot + "\\dst"));
    held.Release();
    EXPECT_EQ("old", ReadFileBytes(kRoot + "\\dst"));

    // The source is opened without sharing too: a reader that holds it open blocks the copy.
    HANDLE hLock = CreateFileA((kRoot + "\\src").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLock);
    EXPECT_EQ(1, path.CopyWholeFile(kRoot + "\\src", kRoot + "\\dst"));
    CloseHandle(hLock);
    EXPECT_EQ(0, path.CopyWholeFile(kRoot + "\\src", kRoot + "\\dst"));
    EXPECT_EQ("new", ReadFileBytes(kRoot + "\\dst"));
}

TEST_F(PathControlTest, CopyWholeFileReportsAShortWriteOnAFullVolume) {
    // Drive F: is a tiny file system of its own (64 KiB), mapped by the test machine when available.
    if (GetDriveTypeA("F:\\") == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no small volume mapped as F:";
    ULARGE_INTEGER free{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("F:\\", &free, nullptr, nullptr));
    std::string strBig(static_cast<size_t>(free.QuadPart) + 64 * 1024, 'z');
    WriteFileBytes(kRoot + "\\big", strBig);
    EXPECT_EQ(1, path.CopyWholeFile(kRoot + "\\big", "F:\\big")) << "a copy that did not fit must fail";
}

TEST_F(PathControlTest, DeleteFileRetryingOutcomes) {
    WriteFileBytes(kRoot + "\\gone", "x");
    EXPECT_TRUE(path.DeleteFileRetrying(kRoot + "\\gone"));
    EXPECT_EQ("<missing>", ReadFileBytes(kRoot + "\\gone"));
    EXPECT_FALSE(path.DeleteFileRetrying(kRoot + "\\never-was"));
    EXPECT_TRUE(path.DeleteFileRetrying("")) << "an empty path is nothing to do";

    lqtest::HeldFile held(kRoot + "\\held", "x");
    ASSERT_TRUE(held.IsHeld());
    EXPECT_FALSE(path.DeleteFileRetrying(kRoot + "\\held"));
    held.Release();
    EXPECT_TRUE(path.DeleteFileRetrying(kRoot + "\\held"));
}

TEST_F(PathControlTest, FileExistsMatchesFilesNotFolders) {
    path.MakeDirectories(kRoot + "\\exists\\folder.d");
    EXPECT_FALSE(path.FileExists(kRoot + "\\exists\\folder.d")) << "a folder is not a file";
    EXPECT_FALSE(path.FileExists(kRoot + "\\exists\\*"));
    WriteFileBytes(kRoot + "\\exists\\file.d", "x");
    EXPECT_TRUE(path.FileExists(kRoot + "\\exists\\*.d")) << "a pattern matching a folder and a file";
    EXPECT_TRUE(path.FileExists(kRoot + "\\exists\\file.d"));
    EXPECT_FALSE(path.FileExists(kRoot + "\\exists\\none.*"));
}

TEST_F(PathControlTest, DeleteToRecycleBinRemovesAWholeFolderWithoutAsking) {
    std::string strGroup = kRoot + "\\Start Menu\\Letterquarry";
    path.MakeDirectories(strGroup + "\\sub");
    WriteFileBytes(strGroup + "\\Letterquarry.lnk", "link");
    WriteFileBytes(strGroup + "\\sub\\readme.txt", "text");
    path.DeleteToRecycleBin(strGroup);
    EXPECT_FALSE(IsFolder(strGroup));
    EXPECT_TRUE(IsFolder(kRoot + "\\Start Menu")) << "only the named folder goes";
    path.DeleteToRecycleBin(strGroup);  // gone already: nothing happens, nothing is asked
}

TEST(CShellFileOpTest, PathListsAreDoubleNulTerminatedAndGrow) {
    CShellFileOp op;
    op.ReserveList(true, 3);
    EXPECT_EQ(std::string("\0", 1), op.ListBytes(true));
    op.AddPath(true, "C:\\a");
    op.AddPath(true, "C:\\longer\\path");
    EXPECT_EQ(std::string("C:\\a\0C:\\longer\\path\0\0", 21), op.ListBytes(true));
    EXPECT_EQ("", op.ListBytes(false)) << "the target list is untouched";
}

}  // namespace
