// The file operations on real files of a fresh Windows machine, and what they do with links another user
// planted (Unix symbolic links of the machine, which Windows programs under Wine see as reparse points on
// folders and follow on files; hard links made by CreateHardLinkA).
// Covered: folder chains, the copy in one step (truncation, files in use, a full volume that leaves the
// earlier file whole, the held copy), retried deletion, shell deletion to the Recycle Bin, existence tests
// with patterns; refusals of links, hard links and planted temporary names, and the two ways of reading
// where a file really is. Not covered: access lists (Wine keeps none; tests/win/core/file_access_test.cpp).
#include "util/file_ops.h"
#include "util/shell_file_op.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

namespace {

const std::string kRoot = "C:\\lqtest";

using lqtest::IsFolder;

// Into a folder that is there already: making folders is what these tests check of MakeFolderChain.
void WriteFileBytes(const std::string& strPath, const std::string& strBytes) {
    ASSERT_TRUE(IsFolder(strPath.substr(0, strPath.find_last_of('\\')))) << strPath;
    ASSERT_TRUE(lqtest::WriteFileBytes(strPath, strBytes)) << strPath;
}

// "<missing>" tells a missing file from an empty one.
std::string ReadFileBytes(const std::string& strPath) {
    return lqtest::PathExists(strPath) ? lqtest::ReadFileBytes(strPath) : "<missing>";
}

const char* StatusName(OpStatus status) {
    switch (status) {
    case OpStatus::Done: return "done";
    case OpStatus::InUse: return "in use";
    case OpStatus::Refused: return "refused";
    case OpStatus::Failed: return "failed";
    }
    return "?";
}

class FileOps : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(MakeFolderChain(kRoot).IsDone()); }
};

TEST_F(FileOps, MakeFolderChainCreatesTheWholeChainAndToleratesExistingFolders) {
    EXPECT_FALSE(IsFolder("C:\\ZmtPlugin"));
    EXPECT_TRUE(MakeFolderChain("C:\\ZmtPlugin\\bin\\").IsDone());
    EXPECT_TRUE(IsFolder("C:\\ZmtPlugin\\bin"));
    EXPECT_TRUE(MakeFolderChain("C:\\ZmtPlugin\\bin\\").IsDone()) << "existing folders are no error";
    EXPECT_TRUE(MakeFolderChain("Q:\\nowhere\\at\\all").IsDone()) << "failures are ignored";
    EXPECT_TRUE(MakeFolderChain(kRoot + "\\포토샵\\플러그-인").IsDone());
    EXPECT_TRUE(IsFolder(kRoot + "\\포토샵\\플러그-인"));
}

TEST_F(FileOps, CopyInOneStepGivesExactlyTheSourceBytes) {
    WriteFileBytes(kRoot + "\\small.bin", std::string("\x00\x01" "abc\r\n", 7));
    WriteFileBytes(kRoot + "\\large.bin", std::string(5000, 'x'));
    EXPECT_TRUE(CopyFileInOneStep(kRoot + "\\small.bin", kRoot + "\\large.bin").IsDone());
    EXPECT_EQ(std::string("\x00\x01" "abc\r\n", 7), ReadFileBytes(kRoot + "\\large.bin"));
    WriteFileBytes(kRoot + "\\empty", "");
    EXPECT_TRUE(CopyFileInOneStep(kRoot + "\\empty", kRoot + "\\empty.copy").IsDone());
    EXPECT_EQ("", ReadFileBytes(kRoot + "\\empty.copy"));
    EXPECT_FALSE(lqtest::ReplacementBeside(kRoot + "\\large.bin"));
}

TEST_F(FileOps, CopyInOneStepFailsForMissingSourceOrFolderAndFilesOthersHold) {
    WriteFileBytes(kRoot + "\\src", "new");
    EXPECT_EQ(OpStatus::Failed, CopyFileInOneStep(kRoot + "\\no-such-file", kRoot + "\\dst").status);
    EXPECT_EQ("<missing>", ReadFileBytes(kRoot + "\\dst"));
    EXPECT_EQ(OpStatus::Failed, CopyFileInOneStep(kRoot + "\\src", kRoot + "\\no-such-folder\\dst").status);

    lqtest::HeldFile held(kRoot + "\\dst", "old");
    ASSERT_TRUE(held.IsHeld());
    const OpResult inUse = CopyFileInOneStep(kRoot + "\\src", kRoot + "\\dst");
    EXPECT_EQ(OpStatus::InUse, inUse.status);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), inUse.dwError);
    held.Release();
    EXPECT_EQ("old", ReadFileBytes(kRoot + "\\dst"));

    // The source is opened without sharing too: a reader that holds it open blocks the copy.
    HANDLE hLock = CreateFileA((kRoot + "\\src").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hLock);
    EXPECT_FALSE(CopyFileInOneStep(kRoot + "\\src", kRoot + "\\dst").IsDone());
    CloseHandle(hLock);
    EXPECT_TRUE(CopyFileInOneStep(kRoot + "\\src", kRoot + "\\dst").IsDone());
    EXPECT_EQ("new", ReadFileBytes(kRoot + "\\dst"));
}

TEST_F(FileOps, ACopyThatDoesNotFitLeavesTheEarlierFileWhole) {
    // Drive F: is a tiny file system of its own (64 KiB), mapped by the test machine when available.
    if (GetDriveTypeA("F:\\") == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no small volume mapped as F:";
    const std::string strEarlier(16 << 10, 'e');
    ASSERT_TRUE(lqtest::WriteFileBytes("F:\\plugin", strEarlier));
    ULARGE_INTEGER free{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("F:\\", &free, nullptr, nullptr));
    WriteFileBytes(kRoot + "\\big", std::string(static_cast<size_t>(free.QuadPart) + 64 * 1024, 'z'));
    const OpResult result = CopyFileInOneStep(kRoot + "\\big", "F:\\plugin");
    EXPECT_EQ(OpStatus::Failed, result.status) << "a copy that did not fit must fail, and not as a file in use; " << result.strWhy;
    EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), result.dwError);
    EXPECT_TRUE(strEarlier == ReadFileBytes("F:\\plugin")) << "the earlier file, byte for byte";
    EXPECT_FALSE(lqtest::ReplacementBeside("F:\\plugin")) << "no half-written replacement";
}

TEST_F(FileOps, TheHeldCopyCannotBeChangedOrRemovedButCanBeLoaded) {
    WriteFileBytes(kRoot + "\\addin.src", "the shipped add-in");
    ProvenFile held;
    ASSERT_TRUE(CopyFileInOneStep(kRoot + "\\addin.src", kRoot + "\\addin.dll", &held).IsDone());
    EXPECT_TRUE(HoldsBytesOf(held, kRoot + "\\addin.src"));
    EXPECT_FALSE(lqtest::WriteFileBytes(kRoot + "\\addin.dll", "a user's own")) << "no writer while held";
    EXPECT_FALSE(DeleteFileA((kRoot + "\\addin.dll").c_str())) << "no deletion while held";
    EXPECT_FALSE(MoveFileA(kRoot.c_str(), (kRoot + ".moved").c_str())) << "nor its folder moved away";
    // As the loader opens a library: reading and executing, sharing reading and deletion.
    HANDLE hLoader = CreateFileA((kRoot + "\\addin.dll").c_str(), GENERIC_READ | GENERIC_EXECUTE,
                                 FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, hLoader) << "error " << GetLastError();
    if (hLoader != INVALID_HANDLE_VALUE) CloseHandle(hLoader);
    held.Close();
    EXPECT_TRUE(DeleteFileRetrying(kRoot + "\\addin.dll").IsDone());
}

TEST_F(FileOps, DeleteFileRetryingOutcomes) {
    WriteFileBytes(kRoot + "\\gone", "x");
    EXPECT_TRUE(DeleteFileRetrying(kRoot + "\\gone").IsDone());
    EXPECT_EQ("<missing>", ReadFileBytes(kRoot + "\\gone"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), DeleteFileRetrying(kRoot + "\\never-was").dwError);
    EXPECT_TRUE(DeleteFileRetrying("").IsDone()) << "an empty path is nothing to do";

    lqtest::HeldFile held(kRoot + "\\held", "x");
    ASSERT_TRUE(held.IsHeld());
    EXPECT_EQ(OpStatus::InUse, DeleteFileRetrying(kRoot + "\\held").status);
    held.Release();
    EXPECT_TRUE(DeleteFileRetrying(kRoot + "\\held").IsDone());
}

// What a user who may write the folders can plant, and what each operation then does: it is refused, and
// what lies outside stays as it was, byte for byte.
TEST_F(FileOps, NothingIsDoneThroughALinkOrToAFileWithOtherNames) {
    const std::string strOutside = "C:\\outside";
    ASSERT_TRUE(MakeFolderChain(strOutside).IsDone());
    WriteFileBytes(strOutside + "\\system.ini", "a system file");
    WriteFileBytes(kRoot + "\\source", "the suite's bytes");
    ASSERT_TRUE(MakeFolderChain(kRoot + "\\planted").IsDone());
    ASSERT_TRUE(lqtest::MakeSymbolicLink(kRoot + "\\planted\\file.dll", strOutside + "\\system.ini"));
    ASSERT_TRUE(lqtest::MakeSymbolicLink(kRoot + "\\folder", strOutside));
    ASSERT_TRUE(CreateHardLinkA((kRoot + "\\planted\\hard.dll").c_str(), (strOutside + "\\system.ini").c_str(), nullptr));

    const struct {
        const char* szWhat;
        std::function<OpResult()> fnAct;
    } cases[] = {
        {"a copy onto a file that is a link",
         [&] { return CopyFileInOneStep(kRoot + "\\source", kRoot + "\\planted\\file.dll"); }},
        {"a copy into a folder that is a link",
         [&] { return CopyFileInOneStep(kRoot + "\\source", kRoot + "\\folder\\system.ini"); }},
        {"a copy onto a file with another name", [&] { return CopyFileInOneStep(kRoot + "\\source", kRoot + "\\planted\\hard.dll"); }},
        {"a deletion of a file that is a link", [&] { return DeleteFileRetrying(kRoot + "\\planted\\file.dll"); }},
        {"a deletion through a folder link", [&] { return DeleteFileRetrying(kRoot + "\\folder\\system.ini"); }},
        {"a read for a decision through a link",
         [&] {
             std::string strBytes;
             return ReadWholeFile(kRoot + "\\planted\\file.dll", FILE_SHARE_READ, 1024, strBytes);
         }},
        {"folders made below a link", [&] { return MakeFolderChain(kRoot + "\\folder\\made"); }},
    };
    for (const auto& c : cases) {
        const OpResult result = c.fnAct();
        EXPECT_STREQ("refused", StatusName(result.status)) << c.szWhat << ": " << result.strWhy;
        EXPECT_EQ("a system file", ReadFileBytes(strOutside + "\\system.ini")) << c.szWhat;
    }
    EXPECT_FALSE(IsFolder(strOutside + "\\made"));

    // A temporary name planted beside a destination (a link to a folder): never used, never followed, left
    // alone; the copy goes on under a name of its own.
    WriteFileBytes(kRoot + "\\plugin.aip", "earlier");
    ASSERT_TRUE(lqtest::MakeSymbolicLink(kRoot + "\\plugin.aip.new", strOutside));
    EXPECT_TRUE(CopyFileInOneStep(kRoot + "\\source", kRoot + "\\plugin.aip").IsDone());
    EXPECT_EQ("the suite's bytes", ReadFileBytes(kRoot + "\\plugin.aip"));
    const std::vector<LeftoverReplacement> arrLeft = RemoveLeftoverReplacements(kRoot + "\\plugin.aip");
    ASSERT_EQ(1u, arrLeft.size());
    EXPECT_EQ(OpStatus::Refused, arrLeft[0].result.status) << arrLeft[0].strPath;
    EXPECT_TRUE(IsFolder(strOutside)) << "the link's target is untouched";
}

TEST_F(FileOps, BothWaysOfReadingWhereAFileReallyIsAgree) {
    ASSERT_TRUE(lqtest::WriteFileBytes("C:\\outside2\\real.txt", "x"));
    ASSERT_TRUE(lqtest::MakeSymbolicLink(kRoot + "\\via", "C:\\outside2"));
    for (const std::string& strPath : {kRoot + "\\..\\lqtest", std::string("C:\\outside2\\real.txt"), kRoot + "\\via\\real.txt"}) {
        HANDLE h = CreateFileA(strPath.c_str(), FILE_READ_ATTRIBUTES, 7, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                               nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h) << strPath;
        const std::string strReal = RealLocationOf(h, strPath);
        EXPECT_EQ(strReal, RealLocationByFileName(h, strPath)) << strPath;
        CloseHandle(h);
    }
    EXPECT_FALSE(IsSamePlace(kRoot + "\\via\\real.txt", "C:\\outside2\\real.txt"));
    EXPECT_TRUE(IsSamePlace("c:/LQTEST\\\\", kRoot));
    EXPECT_EQ(kRoot + "\\via", FirstLinkOnChain(kRoot + "\\via\\real.txt", true));
}

TEST_F(FileOps, FileExistsMatchesFilesNotFolders) {
    ASSERT_TRUE(MakeFolderChain(kRoot + "\\exists\\folder.d").IsDone());
    EXPECT_FALSE(FileExists(kRoot + "\\exists\\folder.d")) << "a folder is not a file";
    EXPECT_FALSE(FileExists(kRoot + "\\exists\\*"));
    WriteFileBytes(kRoot + "\\exists\\file.d", "x");
    EXPECT_TRUE(FileExists(kRoot + "\\exists\\*.d")) << "a pattern matching a folder and a file";
    EXPECT_TRUE(FileExists(kRoot + "\\exists\\file.d"));
    EXPECT_FALSE(FileExists(kRoot + "\\exists\\none.*"));
}

TEST_F(FileOps, DeleteToRecycleBinRemovesAWholeFolderWithoutAsking) {
    std::string strGroup = kRoot + "\\Start Menu\\Letterquarry";
    ASSERT_TRUE(MakeFolderChain(strGroup + "\\sub").IsDone());
    WriteFileBytes(strGroup + "\\Letterquarry.lnk", "link");
    WriteFileBytes(strGroup + "\\sub\\readme.txt", "text");
    DeleteToRecycleBin(strGroup);
    EXPECT_FALSE(IsFolder(strGroup));
    EXPECT_TRUE(IsFolder(kRoot + "\\Start Menu")) << "only the named folder goes";
    DeleteToRecycleBin(strGroup);  // gone already: nothing happens, nothing is asked
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
