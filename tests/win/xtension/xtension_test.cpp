// ZmtLetterquarry.axt inside the stand-in host: activation and start-up against the host's record, the
// menu item, the bridge to the add-in library and the placement of the pictures it hands back, and the
// module file itself (exports, imports, version resource).
// The host (C:\lqxt\xthost.exe) writes one line per call; the stand-in add-in writes its lines ("addin
// ...") into the same record, so the order between both is visible. Not covered here: the real host and
// the real add-in window.
#include "tests/support/files.h"
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

const char kStage[] = "C:\\lqxt";
const char kRecord[] = "C:\\lqxt\\record.txt";
const char kAddin[] = "C:\\ZmtPlugin\\bin\\ZmtAddin.dll";
const char kPicks[] = "C:\\ZmtPlugin\\bin\\ZmtAddin.picks";
const char kDataFolder[] = "C:\\ZmtPlugin\\QXP_Data";
const std::string kSteps = "activate startup provide menu:3 open update choose";

typedef std::vector<std::string> Lines;

using lqtest::ReadFileBytes;
using lqtest::WriteFileBytes;

Lines SplitLines(const std::string& strText) {
    Lines lines;
    size_t nPos = 0;
    while (nPos < strText.size()) {
        size_t nEnd = strText.find("\r\n", nPos);
        if (nEnd == std::string::npos) nEnd = strText.size();
        lines.push_back(strText.substr(nPos, nEnd - nPos));
        nPos = nEnd + 2;
    }
    return lines;
}

std::string Join(const Lines& lines) {
    std::string s;
    for (const std::string& line : lines) s += "  " + line + "\n";
    return s;
}

// "module+0x1234" -> "module": the offsets differ from build to build, the place does not.
std::string Normalised(const std::string& strLine) {
    static const std::regex re("module\\+0x[0-9a-f]+");
    return std::regex_replace(strLine, re, "module");
}

// The record lines from the one starting with strFrom (inclusive) up to the one starting with strTo
// (exclusive), normalised.
Lines Between(const Lines& lines, const std::string& strFrom, const std::string& strTo) {
    Lines out;
    bool bIn = false;
    for (const std::string& line : lines) {
        if (!bIn && line.compare(0, strFrom.size(), strFrom) == 0) bIn = true;
        else if (bIn && !strTo.empty() && line.compare(0, strTo.size(), strTo) == 0) break;
        if (bIn) out.push_back(Normalised(line));
    }
    return out;
}

size_t CountStarting(const Lines& lines, const std::string& strPrefix) {
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.compare(0, strPrefix.size(), strPrefix) == 0;
    }));
}

std::string FixedHex(long long n) {
    char sz[16];
    snprintf(sz, sizeof(sz), "0x%lX", static_cast<unsigned long>(static_cast<uint32_t>(n)));
    return sz;
}

std::vector<std::string> DataFiles() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((std::string(kDataFolder) + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

void DeleteDataFolder() {
    for (const std::string& name : DataFiles()) DeleteFileA((std::string(kDataFolder) + "\\" + name).c_str());
    RemoveDirectoryA(kDataFolder);
}

class XTensionTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA("C:\\ZmtPlugin", nullptr);
        CreateDirectoryA("C:\\ZmtPlugin\\bin", nullptr);
        InstallAddin("ZmtAddin.dll");
        DeleteFileA(kPicks);
        DeleteDataFolder();
        DeleteFileA("C:\\ZmtPlugin\\FontEmf.dat");
    }

    // Puts the named library from the staging folder where the module looks for the add-in; "" removes it.
    static void InstallAddin(const std::string& strName) {
        DeleteFileA(kAddin);
        if (!strName.empty()) {
            ASSERT_TRUE(CopyFileA((std::string(kStage) + "\\" + strName).c_str(), kAddin, FALSE)) << GetLastError();
        }
    }

    static void SetPicks(const std::string& strPicks) { WriteFileBytes(kPicks, strPicks); }

    // Runs the host over the module with the given options and steps; returns the record.
    static Lines RunHost(const std::string& strOptions, const std::string& strSteps) {
        DeleteFileA(kRecord);
        std::string strCommand = std::string("\"") + kStage + "\\xthost.exe\" --record=" + kRecord + " " + strOptions +
                                 " " + kStage + "\\ZmtLetterquarry.axt " + strSteps;
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        std::vector<char> cmd(strCommand.begin(), strCommand.end());
        cmd.push_back('\0');
        if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, kStage, &si, &pi)) {
            ADD_FAILURE() << "cannot start the host: " << GetLastError();
            return {};
        }
        DWORD dwWait = WaitForSingleObject(pi.hProcess, 90000);
        DWORD dwExit = 0;
        GetExitCodeProcess(pi.hProcess, &dwExit);
        if (dwWait != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        Lines lines = SplitLines(ReadFileBytes(kRecord));
        EXPECT_EQ(WAIT_OBJECT_0, dwWait) << "the host hung:\n" << Join(lines);
        EXPECT_EQ(0u, dwExit) << "the host failed:\n" << Join(lines);
        EXPECT_FALSE(lines.empty() || lines.back() != "end") << "the host did not finish its run:\n" << Join(lines);
        return lines;
    }
};

// --- activation and start-up -------------------------------------------------------------------------

TEST_F(XTensionTest, ActivationStartupAndProviderCallTheHostWithTheFixedValuesInTheFixedOrder) {
    Lines lines = RunHost("", "activate startup provide");

    Lines expected = {
        "step activate",
        "ConfirmHost 0x41424A39 0 11 0x80480014 0 -> 0x1",
        "SetModuleRank 200",
        "RegisterStartup module 5 200 0",
        "RegisterProvider module 5 300 0",
        "XTActivateCallback -> 0x0",
        "step startup",
        "OpenServices 11 176 0x80480000 -> table",
    };
    // The kit's service groups, each bound once in this order and then all of them a second time.
    const char* const kGroups[] = {
        "0x584E43B0 module [0x46470000 0x101 0x102 0x103 0x104 0x105] 6",
        "0x584E43B1 module [0x46470000 0x201 0x202] 3",
        "0x584E43B2 module [0x46470000 0x301 0x302] 3",
        "0x584E43B3 module [0x46470000 0x401 0x402] 3",
        "0x584E43B4 module [0x46470000 0x501 0x502 0x503] 4",
        "0x584E43B5 module [0x46470000 0x601] 2",
        "0x584E43B6 module [0x46470000 0x701] 2",
        "0x584E43B7 module [0x46470000 0x801] 2",
        "0x584E43B8 module [0x46470000 0x901] 2",
    };
    for (int nPass = 0; nPass < 2; ++nPass)
        for (const char* pszGroup : kGroups) expected.push_back(std::string("Bind ") + pszGroup + " -> 0");
    Lines rest = {
        "FindFacility 0x46525051 module -> 0 (7)",
        "FacilityRevision 0x46525051 module -> 0 (3)",
        "AttachFacility 7 module 0 0 -> 0 (1)",
        "RegisterMessage 618 module 5 200 0 -> 0",
        "RegisterMessage 8 module 5 200 0 -> 0",
        "RegisterMessage 7 module 5 200 0 -> 0",
        "RegisterMessage 6 module 5 200 0 -> 0",
        "RegisterMessage 4 module 5 200 0 -> 0",
        "startup -> 0x0",
        "step provide",
        "HandOver 1 module zero -> 0",
        "provider -> 0x0",
    };
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(expected, Between(lines, "step activate", "final")) << "record:\n" << Join(lines);

    // The second pass fills the very same tables as the first; each group has a table of its own.
    Lines arrBinds;
    for (const std::string& line : lines)
        if (line.compare(0, 5, "Bind ") == 0) arrBinds.push_back(line);
    ASSERT_EQ(18u, arrBinds.size());
    std::set<std::string> tables;
    for (size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(arrBinds[i], arrBinds[i + 9]);
        tables.insert(arrBinds[i].substr(16, arrBinds[i].find(' ', 16) - 16));
    }
    EXPECT_EQ(9u, tables.size()) << Join(arrBinds);

    // Five message callbacks of the module, one per message.
    std::set<std::string> procs;
    for (const std::string& line : lines)
        if (line.compare(0, 16, "RegisterMessage ") == 0) procs.insert(line.substr(line.find("module+")).substr(0, 16));
    EXPECT_EQ(5u, procs.size()) << Join(lines);
}

TEST_F(XTensionTest, OnlyTheLowByteOfTheHostConfirmationDecidesActivation) {
    struct Case {
        const char* pszConfirm;
        bool bActivated;
    } const kCases[] = {{"1", true}, {"0xFF01", true}, {"0x80", true}, {"0", false}, {"0x100", false}, {"0xFFFF0000", false}};
    for (const Case& c : kCases) {
        Lines lines = RunHost(std::string("--confirm=") + c.pszConfirm, "activate startup");
        Lines activation = Between(lines, "step activate", "step startup");
        if (c.bActivated) {
            EXPECT_EQ(6u, activation.size()) << c.pszConfirm << "\n" << Join(lines);
            EXPECT_EQ(1u, CountStarting(lines, "startup -> 0x0")) << c.pszConfirm;
        } else {
            Lines expected = {"step activate", "ConfirmHost 0x41424A39 0 11 0x80480014 " + std::string("0 -> ") +
                                                   (std::string(c.pszConfirm) == "0" ? "0x0" : c.pszConfirm),
                              "XTActivateCallback -> 0x51000401"};
            EXPECT_EQ(expected, activation) << c.pszConfirm << "\n" << Join(lines);
            EXPECT_EQ(1u, CountStarting(lines, "startup not registered")) << c.pszConfirm;
        }
    }
}

TEST_F(XTensionTest, AFailedBindingOrStartupCallEndsStartupAtOnceWithTheFailureCode) {
    struct Case {
        const char* pszOption;
        size_t nBinds;       // binding requests made
        size_t nSetupCalls;  // facility calls made
    } const kCases[] = {
        {"--no-services", 0, 0}, {"--fail-bind=1", 1, 0},  {"--fail-bind=9", 9, 0},   {"--fail-bind=10", 10, 0},
        {"--fail-bind=18", 18, 0}, {"--fail-setup=1", 18, 1}, {"--fail-setup=2", 18, 2}, {"--fail-setup=3", 18, 3},
    };
    for (const Case& c : kCases) {
        Lines lines = RunHost(c.pszOption, "activate startup menu:3");
        EXPECT_EQ(1u, CountStarting(lines, "startup -> 0x51000401")) << c.pszOption << "\n" << Join(lines);
        EXPECT_EQ(c.nBinds, CountStarting(lines, "Bind ")) << c.pszOption;
        size_t nSetup = CountStarting(lines, "FindFacility") + CountStarting(lines, "FacilityRevision") +
                        CountStarting(lines, "AttachFacility");
        EXPECT_EQ(c.nSetupCalls, nSetup) << c.pszOption;
        EXPECT_EQ(0u, CountStarting(lines, "RegisterMessage")) << c.pszOption;
        EXPECT_EQ(1u, CountStarting(lines, "message 7 not registered")) << c.pszOption;
    }
}

// --- the menu item -------------------------------------------------------------------------------------

TEST_F(XTensionTest, TheItemIsAppendedToTheNamedMenuAndEnabledOnlyWhileADocumentIsOpen) {
    Lines lines = RunHost("", "activate startup menu:5 update open update close update");
    Lines expected = {
        "step menu:5",
        "message 7 menu=5",
        "GetMenu 5 -> menu5",
        "NewItemId -> 1",
        "AppendItem menu5 1 \"Letterquarry\" -> 0",
        "message 7 -> 0x0",
        "step update",
        "message 8",
        "CurrentDocument in=-1 out=-1",
        "DisableItem menu5 1",
        "message 8 -> 0x0",
        "step open",
        "step update",
        "message 8",
        "CurrentDocument in=-1 out=0",
        "EnableItem menu5 1",
        "message 8 -> 0x0",
        "step close",
        "step update",
        "message 8",
        "CurrentDocument in=-1 out=-1",
        "DisableItem menu5 1",
        "message 8 -> 0x0",
        "final menu5 item 1 \"Letterquarry\" disabled",
    };
    EXPECT_EQ(expected, Between(lines, "step menu:5", "final items")) << Join(lines);
}

TEST_F(XTensionTest, ChoosingTheItemOpensTheAddinWindowAndAnotherItemDoesNothing) {
    Lines lines = RunHost("", "activate startup menu:3 open update choose:2 choose:-1 choose notify:6 notify:4");

    EXPECT_EQ(Lines({"message 618 item=2", "message 618 -> 0x0"}), Between(lines, "message 618 item=2", "step"));
    EXPECT_EQ(Lines({"message 618 item=-1", "message 618 -> 0x0"}), Between(lines, "message 618 item=-1", "step"));
    Lines opened = Between(lines, "message 618 item=1", "step");
    ASSERT_EQ(7u, opened.size()) << Join(lines);
    EXPECT_EQ("addin Show 1", opened[1]);
    EXPECT_EQ("addin SetZmtOutputType 1", opened[2]);
    std::set<std::string> callbacks;
    for (int nSlot = 1; nSlot <= 3; ++nSlot) {
        std::string strPrefix = "addin SetCall " + std::to_string(nSlot) + " ZmtLetterquarry.axt+0x";
        EXPECT_EQ(strPrefix, opened[2 + nSlot].substr(0, strPrefix.size())) << opened[2 + nSlot];
        callbacks.insert(opened[2 + nSlot].substr(strPrefix.size()));
    }
    EXPECT_EQ(3u, callbacks.size()) << "art, short text and font are three callbacks of the module";
    EXPECT_EQ("message 618 -> 0x0", opened[6]);
    EXPECT_EQ(Lines({"step notify:6", "message 6", "message 6 -> 0x0"}), Between(lines, "step notify:6", "step notify:4"));
    EXPECT_EQ(Lines({"step notify:4", "message 4", "message 4 -> 0x0"}), Between(lines, "step notify:4", "final"));
}

// --- placement -------------------------------------------------------------------------------------------

TEST_F(XTensionTest, ARealFileIsCopiedIntoTheDataFolderPlacedImportedAndCentred) {
    const std::string strArt = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 10 20 154 92\n0 0 moveto\n";
    WriteFileBytes("C:\\lqxt\\art.eps", strArt);
    SetPicks("1|C:\\lqxt\\art.eps\n");
    long long nBefore = time(nullptr);
    Lines lines = RunHost("--area=0x480000,0x240000,0x2D00000,0x2400000", kSteps);
    long long nAfter = time(nullptr);

    std::vector<std::string> files = DataFiles();
    ASSERT_EQ(1u, files.size()) << Join(lines);
    long long nTime = atoll(files[0].c_str());
    EXPECT_EQ(std::to_string(nTime) + ".eps", files[0]);
    EXPECT_TRUE(nTime >= nBefore && nTime <= nAfter) << nBefore << " <= " << nTime << " <= " << nAfter;
    EXPECT_EQ(strArt, ReadFileBytes(std::string(kDataFolder) + "\\" + files[0]));

    // The module keeps the stored prefix with its doubled backslash; Windows reads it as one.
    const std::string strTarget = "c:\\\\ZmtPlugin\\QXP_Data\\" + files[0];
    const std::string strSize = std::to_string(strTarget.size() + 41);
    // Area 0x480000,0x240000 .. 0x2D00000,0x2400000; picture 144 x 72 points.
    const long long nH = ((0x2400000LL - 0x240000) - 144 * 0x10000) / 2;
    const long long nV = ((0x2D00000LL - 0x480000) - 72 * 0x10000) / 2;
    Lines expected = {
        "addin pick 1 \"C:\\lqxt\\art.eps\"",
        "CurrentDocument in=-1 out=0",
        "VisibleArea -> 0x480000,0x240000,0x2D00000,0x2400000",
        "CreatePictureItem 0x478000,0x238000,0x488000,0x248000 -> 0 item1",
        "GetFileRef item1 -> null",
        "NewBlock " + strSize + " -> block1",
        "BlockData block1",
        "SetFileRef item1 block1",
        "ImportPicture item1 ref=block1 size=" + strSize + " head=zero path@38=\"" + strTarget + "\" -> 0",
        "Redraw",
        "PictureExtent item1 -> 0x900000,0x480000",
        "MoveItem item1 " + FixedHex(nH) + "," + FixedHex(nV),
        "addin pick-done 1",
    };
    EXPECT_EQ(expected, Between(lines, "addin pick 1", "message 618 ->")) << Join(lines);
    EXPECT_EQ(1u, CountStarting(lines, "final item1 bounds=0x478000,0x238000,0x488000,0x248000 picture=\"" +
                                           strTarget + "\" imported position=" + FixedHex(nH) + "," + FixedHex(nV)))
        << Join(lines);
    EXPECT_EQ(0u, CountStarting(lines, "MessageBox")) << Join(lines);
}

TEST_F(XTensionTest, ACenteredPositionMayBeNegativeWhenThePictureIsLargerThanTheArea) {
    WriteFileBytes("C:\\lqxt\\wide.eps", "%!PS\n%%BoundingBox: 0 0 2000 100\n");
    SetPicks("3|C:\\lqxt\\wide.eps\n");
    Lines lines = RunHost("--area=0,0,0x1000000,0x1000000", kSteps);
    const long long nH = (0x1000000LL - 2000LL * 0x10000) / 2, nV = (0x1000000LL - 100LL * 0x10000) / 2;
    EXPECT_EQ(1u, CountStarting(lines, "MoveItem item1 " + FixedHex(nH) + "," + FixedHex(nV))) << Join(lines);
    EXPECT_EQ(1u, CountStarting(lines, "CreatePictureItem 0xFFFF8000,0xFFFF8000,0x8000,0x8000 -> 0 item1"))
        << Join(lines);
}

TEST_F(XTensionTest, AFailedImportLeavesNoItemBehind) {
    WriteFileBytes("C:\\lqxt\\empty.eps", "");
    SetPicks("2|C:\\lqxt\\empty.eps\n");
    Lines lines = RunHost("", kSteps);
    Lines placement = Between(lines, "ImportPicture", "message 618 ->");
    ASSERT_FALSE(placement.empty()) << Join(lines);
    EXPECT_EQ("-> 1", placement[0].substr(placement[0].size() - 4)) << placement[0];
    EXPECT_EQ(Lines({"DeleteItem item1", "Redraw", "addin pick-done 2"}), Lines(placement.begin() + 1, placement.end()));
    EXPECT_EQ(1u, CountStarting(lines, "final items 0")) << Join(lines);
    EXPECT_EQ(1u, DataFiles().size()) << "the empty file was still copied";
}

TEST_F(XTensionTest, AnEmptyOrMissingTextPlacesTheDefaultFontFile) {
    const std::string strDefault = "%!PS default\n%%BoundingBox: 0 0 10 10\n";
    WriteFileBytes("C:\\ZmtPlugin\\FontEmf.dat", strDefault);
    SetPicks("2|\n3\n");
    Lines lines = RunHost("", kSteps);
    std::vector<std::string> files = DataFiles();
    ASSERT_EQ(2u, files.size()) << Join(lines);
    for (const std::string& name : files) EXPECT_EQ(strDefault, ReadFileBytes(std::string(kDataFolder) + "\\" + name));
    EXPECT_EQ(1u, CountStarting(lines, "addin pick 2 \"\"")) << Join(lines);
    EXPECT_EQ(1u, CountStarting(lines, "addin pick 3 null")) << Join(lines);
    EXPECT_EQ(1u, CountStarting(lines, "final items 2")) << Join(lines);
    EXPECT_EQ(2u, CountStarting(lines, "ImportPicture item")) << Join(lines);
    EXPECT_EQ(0u, CountStarting(lines, "MessageBox")) << Join(lines);
}

TEST_F(XTensionTest, PlacementsWithinOneSecondGetNamesOfTheirOwnAndPlaceTheirOwnPictures) {
    const std::string arrBytes[] = {"%!PS a\n", "%!PS b\n", "%!PS c\n"};
    WriteFileBytes("C:\\lqxt\\a.eps", arrBytes[0]);
    WriteFileBytes("C:\\lqxt\\b.eps", arrBytes[1]);
    WriteFileBytes("C:\\lqxt\\c.eps", arrBytes[2]);
    SetPicks("1|C:\\lqxt\\a.eps\n2|C:\\lqxt\\b.eps\n3|C:\\lqxt\\c.eps\n");
    Lines lines = RunHost("", kSteps);

    std::vector<std::string> files = DataFiles();
    ASSERT_EQ(3u, files.size()) << Join(lines);
    std::multiset<std::string> contents;
    bool bSuffixed = false;
    for (const std::string& name : files) {
        contents.insert(ReadFileBytes(std::string(kDataFolder) + "\\" + name));
        bSuffixed = bSuffixed || name.find("_1.eps") != std::string::npos;
    }
    EXPECT_EQ(std::multiset<std::string>(std::begin(arrBytes), std::end(arrBytes)), contents);
    // Three copies within well under a second: at least two of them share a second.
    EXPECT_TRUE(bSuffixed) << files[0] << " " << files[1] << " " << files[2];

    std::set<std::string> imported;
    for (const std::string& line : lines)
        if (line.compare(0, 6, "final ") == 0 && line.find("imported") != std::string::npos)
            imported.insert(line.substr(line.find("picture=")));
    EXPECT_EQ(3u, imported.size()) << Join(lines);
    EXPECT_EQ(0u, CountStarting(lines, "MessageBox")) << Join(lines);
}

TEST_F(XTensionTest, AnEarlierCopyOfTheSameSecondIsNeitherOverwrittenNorPlacedAgain) {
    CreateDirectoryA(kDataFolder, nullptr);
    long long nNow = time(nullptr);
    for (long long t = nNow; t < nNow + 60; ++t)
        WriteFileBytes(std::string(kDataFolder) + "\\" + std::to_string(t) + ".eps", "earlier picture");
    WriteFileBytes("C:\\lqxt\\new.eps", "%!PS new\n");
    SetPicks("1|C:\\lqxt\\new.eps\n");
    Lines lines = RunHost("", kSteps);

    Lines import = Between(lines, "ImportPicture", "Redraw");
    ASSERT_EQ(1u, import.size()) << Join(lines);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(import[0], m, std::regex("QXP_Data\\\\([0-9]+)_1\\.eps\" -> 0"))) << import[0];
    EXPECT_EQ("%!PS new\n", ReadFileBytes(std::string(kDataFolder) + "\\" + m[1].str() + "_1.eps"));
    EXPECT_EQ("earlier picture", ReadFileBytes(std::string(kDataFolder) + "\\" + m[1].str() + ".eps"));
    EXPECT_EQ(0u, CountStarting(lines, "MessageBox")) << Join(lines);
}

TEST_F(XTensionTest, ACopyThatReallyFailsIsReportedAndLeavesNoItem) {
    SetPicks("1|C:\\lqxt\\no-such-file.eps\n");
    Lines lines = RunHost("", kSteps);
    Lines placement = Between(lines, "addin pick 1", "message 618 ->");
    ASSERT_GE(placement.size(), 2u) << Join(lines);
    EXPECT_EQ("MessageBox caption=\"Message\" text=\"Already exsist target vector font file!!\" buttons=[OK]",
              placement[1]);
    EXPECT_EQ(1u, CountStarting(placement, "DeleteItem item1")) << Join(placement);
    EXPECT_EQ(1u, CountStarting(lines, "final items 0"));
    EXPECT_TRUE(DataFiles().empty());
}

// --- without the add-in library --------------------------------------------------------------------------

TEST_F(XTensionTest, WithoutTheAddinLibraryOneErrorBoxAtActivationAndTheItemOpensNothing) {
    InstallAddin("");
    Lines lines = RunHost("", kSteps + " unload");
    ASSERT_GE(lines.size(), 2u) << Join(lines);
    // The module loads without a word; the box comes with the host's first call, before anything else.
    EXPECT_EQ(0u, lines[0].find("load ")) << lines[0];
    EXPECT_EQ(Lines({"step activate",
                     "MessageBox caption=\"Error\" text=\"LoadLibrary() Failed with: 126\\n\" buttons=[OK]",
                     "ConfirmHost 0x41424A39 0 11 0x80480014 0 -> 0x1"}),
              Between(lines, "step activate", "SetModuleRank"))
        << Join(lines);
    EXPECT_EQ(1u, CountStarting(lines, "MessageBox")) << Join(lines);
    EXPECT_EQ(1u, CountStarting(lines, "XTActivateCallback -> 0x0")) << "activation goes on:\n" << Join(lines);
    EXPECT_EQ(Lines({"message 618 item=1", "message 618 -> 0x0"}), Between(lines, "message 618 item=1", "step"));
    EXPECT_EQ(1u, CountStarting(lines, "final menu3 item 1 \"Letterquarry\" enabled")) << Join(lines);
}

TEST_F(XTensionTest, TheAddinLibraryIsLoadedByActivationNotByLoadingTheModule) {
    // Whatever the host's confirmation says: the load comes before the check.
    for (const char* pszConfirm : {"1", "0"}) {
        Lines lines = RunHost(std::string("--confirm=") + pszConfirm, "addin-loaded activate addin-loaded");
        EXPECT_EQ(Lines({"step addin-loaded", "ZmtAddin.dll not loaded"}), Between(lines, "step addin-loaded", "step activate"))
            << pszConfirm << "\n" << Join(lines);
        Lines after = Between(lines, "XTActivateCallback", "final");
        ASSERT_FALSE(after.empty()) << Join(lines);
        EXPECT_EQ(Lines({"step addin-loaded", "ZmtAddin.dll loaded"}), Lines(after.begin() + 1, after.end()))
            << pszConfirm << "\n" << Join(lines);
        EXPECT_EQ(0u, CountStarting(lines, "MessageBox")) << Join(lines);
    }
}

TEST_F(XTensionTest, AnAddinLibraryLackingAnExportOpensNothing) {
    InstallAddin("partial_addin.dll");
    DeleteFileA("C:\\lqxt\\partial-show-called");
    Lines lines = RunHost("", kSteps);
    EXPECT_EQ(Lines({"message 618 item=1", "message 618 -> 0x0"}), Between(lines, "message 618 item=1", "final"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("C:\\lqxt\\partial-show-called"))
        << "Show was called although SetCall is missing";
    EXPECT_EQ(0u, CountStarting(lines, "MessageBox")) << Join(lines);
}

TEST_F(XTensionTest, UnloadingTheModuleFreesTheAddinLibrary) {
    Lines lines = RunHost("", "activate startup unload");
    EXPECT_EQ(Lines({"FreeLibrary -> 1", "ZmtAddin.dll not loaded"}), Between(lines, "FreeLibrary", "final"));
}

// --- the module file ------------------------------------------------------------------------------------

std::string VersionString(const std::vector<char>& info, const char* pszName) {
    char* pValue = nullptr;
    UINT cch = 0;
    std::string strQuery = std::string("\\StringFileInfo\\041204b0\\") + pszName;
    if (!VerQueryValueA(info.data(), strQuery.c_str(), reinterpret_cast<void**>(&pValue), &cch) || !pValue)
        return "<none>";
    return pValue;
}

TEST(XTensionModuleFile, VersionResourceIsKoreanUnicodeWithTheListedStrings) {
    const char kModule[] = "C:\\lqxt\\ZmtLetterquarry.axt";
    DWORD dwHandle = 0;
    DWORD cb = GetFileVersionInfoSizeA(kModule, &dwHandle);
    ASSERT_GT(cb, 0u);
    std::vector<char> info(cb);
    ASSERT_TRUE(GetFileVersionInfoA(kModule, 0, cb, info.data()));

    WORD* pTranslation = nullptr;
    UINT cbTranslation = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&pTranslation),
                               &cbTranslation));
    ASSERT_EQ(4u, cbTranslation);
    EXPECT_EQ(0x0412, pTranslation[0]);
    EXPECT_EQ(1200, pTranslation[1]);
    EXPECT_EQ("Letterquarry XT", VersionString(info, "FileDescription"));
    EXPECT_EQ("Letterquarry XT.axt", VersionString(info, "OriginalFilename"));
    EXPECT_EQ("3, 0, 0, 0", VersionString(info, "FileVersion"));
    EXPECT_EQ("6, 5, 0, 0", VersionString(info, "ProductVersion"));
    EXPECT_EQ("1017", VersionString(info, "SpecialBuild"));

    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT cbFixed = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&pFixed), &cbFixed));
    EXPECT_EQ(0x00030000u, pFixed->dwFileVersionMS);
    EXPECT_EQ(0u, pFixed->dwFileVersionLS);
    EXPECT_EQ(0x00060005u, pFixed->dwProductVersionMS);
}

TEST(XTensionModuleFile, AnI386LibraryExportingOnlyTheEntryPointAndImportingOnlySystemLibraries) {
    // Mapped as an image without running its entry routine or binding its imports.
    HMODULE h = LoadLibraryExA("C:\\lqxt\\ZmtLetterquarry.axt", nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(nullptr, h) << GetLastError();
    const BYTE* pBase = reinterpret_cast<const BYTE*>(h);
    const IMAGE_NT_HEADERS32* pNt =
        reinterpret_cast<const IMAGE_NT_HEADERS32*>(pBase + reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase)->e_lfanew);
    EXPECT_EQ(IMAGE_FILE_MACHINE_I386, pNt->FileHeader.Machine);
    EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR32_MAGIC, pNt->OptionalHeader.Magic);
    EXPECT_TRUE(pNt->FileHeader.Characteristics & IMAGE_FILE_DLL);

    const IMAGE_DATA_DIRECTORY& exportDir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(0u, exportDir.VirtualAddress);
    const IMAGE_EXPORT_DIRECTORY* pExports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(pBase + exportDir.VirtualAddress);
    ASSERT_EQ(1u, pExports->NumberOfNames);
    const DWORD* pNames = reinterpret_cast<const DWORD*>(pBase + pExports->AddressOfNames);
    EXPECT_STREQ("XTActivateCallback", reinterpret_cast<const char*>(pBase + pNames[0]));

    char szSystem[MAX_PATH];
    GetSystemDirectoryA(szSystem, MAX_PATH);
    const IMAGE_DATA_DIRECTORY& importDir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const IMAGE_IMPORT_DESCRIPTOR* pImport =
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(pBase + importDir.VirtualAddress);
    std::vector<std::string> names;
    for (; pImport->Name; ++pImport) {
        std::string strName = reinterpret_cast<const char*>(pBase + pImport->Name);
        names.push_back(strName);
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((std::string(szSystem) + "\\" + strName).c_str()))
            << strName << " is not a library of the system";
    }
    EXPECT_FALSE(names.empty());
    FreeLibrary(h);
}

}  // namespace
