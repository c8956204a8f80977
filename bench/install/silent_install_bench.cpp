// Benchmark: the silent install of the full payload on a seeded Korean DTP machine (Photoshop 7.0 and CS2,
// Illustrator, QuarkXPress 6.5) against two baselines run in the same machine:
//  - an NSIS installer run with /S (silent_install_baseline.nsi, built by makensis with the bench) that does
//    the same work: the fifteen files, the three COM self-registrations, the uninstall entry and the
//    uninstall log;
//  - one cmd.exe running fifteen "copy /Y" commands: the copies alone.
// Four columns, "/B", "/B /QUIET", NSIS and copy commands, are run alternately, one run each per round, each
// round starting one column further on, so that no column always runs right after the same other one.
// "/B /QUIET" is timed as the setup program takes it: a build that has no quiet mode ignores the switch, as
// it ignores every switch it does not know, and runs "/B"; that column then times "/B" once more.
// Prints each round, the medians, and each ratio ("/B / NSIS", "/B /QUIET / NSIS", aim: "/B /QUIET" no slower
// than NSIS, and "/B / copy commands") as the median of the rounds' own ratios: a round's columns run within a
// second of each other, so a ratio taken inside a round leaves out what the machine's load does between rounds.
// Before the rounds, one NSIS run on a machine cleared of the suite's files, classes, entry and log is held
// against what one "/B" run left there: the same files with the same bytes, the same classes, entry values
// and uninstall log, and nothing more in those places. A baseline that does less, or more, fails the bench.
#include "tests/support/expected_state.h"
#include "tests/support/files.h"
#include "tests/support/programs.h"
#include "tests/support/registry.h"
#include "tests/support/suite.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using lqtest::kBin;
using lqtest::kInstall;

const std::string kNsisInstaller = "C:\\bench\\letterquarry_nsis_baseline.exe";

struct Copy {
    std::string strSource, strFolder;
    std::string Destination() const { return strFolder + "\\" + strSource; }
};

struct Column {
    const char* szName;
    std::string strArgs, strExe;  // strExe "": the setup program
    std::vector<double> arrSeconds;
};

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) {
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

bool Report(const char* szWhat, const std::vector<std::string>& arrMismatches) {
    for (const std::string& strLine : arrMismatches) printf("%s: %s\n", szWhat, strLine.c_str());
    return arrMismatches.empty();
}

// One "/B" run sets the reference; the machine is then cleared of what it placed, so that everything the
// check finds after the NSIS run is the NSIS run's own work.
bool NsisDoesTheSameWork(const std::vector<Copy>& arrCopies, const std::vector<std::string>& arrHostFolders) {
    const std::vector<std::string> arrClasses = {lqtest::kAddinClassKey, lqtest::kV11Class, lqtest::kV12Class};
    std::vector<std::string> arrRoots = {"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"};
    for (const std::string& strClass : arrClasses) arrRoots.push_back("HKCR\\" + strClass);
    std::vector<std::string> arrFolders = {"C:\\ZmtPlugin"};
    arrFolders.insert(arrFolders.end(), arrHostFolders.begin(), arrHostFolders.end());

    int nExit = lqtest::RunToEnd("/B");
    lqtest::ExpectedState reference, cleared;
    for (const Copy& c : arrCopies) {
        reference.FileLike(c.Destination(), kInstall + "\\" + c.strSource);
        cleared.NoFile(c.Destination());
    }
    reference.Key(HKEY_LOCAL_MACHINE, lqtest::kEntryKey);
    cleared.NoKey(HKEY_LOCAL_MACHINE, lqtest::kEntryKey).NoFile(lqtest::kLog);
    for (const std::string& strClass : arrClasses) {
        reference.Key(HKEY_CLASSES_ROOT, strClass);
        cleared.NoKey(HKEY_CLASSES_ROOT, strClass);
    }
    if (nExit != 0 || lqtest::ReadFileBytes(lqtest::kLog).empty()) {
        printf("reference run \"/B\": exit %d, uninstall log %s\n", nExit,
               lqtest::PathExists(lqtest::kLog) ? "empty" : "missing");
        return false;
    }
    if (!Report("reference run \"/B\"", reference.Check())) return false;
    const lqtest::Snapshot afterSetup = lqtest::TakeSnapshot(arrRoots, arrFolders);

    for (const Copy& c : arrCopies) DeleteFileA(c.Destination().c_str());
    DeleteFileA(lqtest::kLog);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, lqtest::kEntryKey);
    for (const std::string& strClass : arrClasses) SHDeleteKeyA(HKEY_CLASSES_ROOT, strClass.c_str());
    if (!Report("clearing the machine", cleared.Check())) return false;

    nExit = lqtest::RunToEnd("/S", 120000, kNsisInstaller);
    if (nExit != 0) {
        printf("NSIS baseline: exit %d\n", nExit);
        return false;
    }
    // "-": placed by "/B", not by NSIS; "+": placed by NSIS only; "~": different bytes or values.
    return Report("NSIS baseline against \"/B\"",
                  lqtest::Difference(afterSetup, lqtest::TakeSnapshot(arrRoots, arrFolders)));
}

}  // namespace

int main(int argc, char** argv) {
    const int nRounds = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    const std::string strPs7 = "C:\\Program Files\\Adobe\\Photoshop 7.0", strCs2 = "C:\\Program Files\\Adobe\\Photoshop CS2";
    const std::string strAi = "C:\\Program Files\\Adobe\\Illustrator CS", strQxp = "C:\\QuarkXPress 6.5";
    lqtest::MakeFolders(strPs7 + "\\Plug-Ins");
    lqtest::MakeFolders(strCs2 + "\\Plug-Ins");
    lqtest::MakeFolders(strAi + "\\Plug-Ins");
    lqtest::MakeFolders(strQxp + "\\XTension");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\7.0", "ApplicationPath", strPs7);
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\9.0", "ApplicationPath", strCs2);
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Illustrator\\11.0", "ApplicationPath", strAi);
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", "QXP65KPath", strQxp);
    lqtest::CompleteShippedFolder();

    // What "/B" copies on this machine, in its order.
    std::vector<Copy> arrCopies;
    for (const char* sz : lqtest::kRuntimeFiles) arrCopies.push_back({sz, kBin});
    arrCopies.push_back({"ZmtAddin.dll", kBin});
    arrCopies.push_back({"ZMT_P7.8bp", strPs7 + "\\Plug-Ins"});
    arrCopies.push_back({"ZMT_CS2.8bp", strCs2 + "\\Plug-Ins"});
    arrCopies.push_back({"zmt_i.aip", strAi + "\\Plug-Ins"});
    arrCopies.push_back({"MyAddIn_V11.dll", kBin});
    arrCopies.push_back({"MyAddIn_V12.dll", kBin});
    arrCopies.push_back({"ZmtLetterquarry.axt", strQxp + "\\XTension"});
    std::string strBatch = "@echo off\r\n";
    for (const Copy& c : arrCopies)
        strBatch += "copy /Y \"" + kInstall + "\\" + c.strSource + "\" \"" + c.Destination() + "\" >nul\r\n";
    lqtest::MakeFolders(kBin);
    lqtest::WriteFileBytes("C:\\bench_copy.bat", strBatch);

    if (!NsisDoesTheSameWork(arrCopies, {strPs7, strCs2, strAi, strQxp})) {
        printf("the NSIS baseline does not do the work of \"/B\"; no ratio\n");
        return 1;
    }
    printf("NSIS baseline checked: the same files, classes, uninstall entry and uninstall log as \"/B\"\n");
    printf("\"/B /QUIET\" is timed as the setup program takes it: without a quiet mode it ignores the switch and "
           "runs \"/B\"\n");

    std::vector<Column> arrColumns = {{"/B", "/B", "", {}},
                                      {"/B /QUIET", "/B /QUIET", "", {}},
                                      {"NSIS /S", "/S", kNsisInstaller, {}},
                                      {"copy commands", "/c C:\\bench_copy.bat", "C:\\windows\\system32\\cmd.exe", {}}};
    const size_t nColumns = arrColumns.size();
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    for (int i = 0; i < nRounds; ++i) {
        std::string strFailed;
        for (size_t k = 0; k < nColumns; ++k) {
            Column& column = arrColumns[(i + k) % nColumns];
            QueryPerformanceCounter(&a);
            const int nExit = lqtest::RunToEnd(column.strArgs, 120000, column.strExe);
            QueryPerformanceCounter(&b);
            column.arrSeconds.push_back(Seconds(a, b, f));
            if (nExit != 0) strFailed += std::string(" ") + column.szName + " exit " + std::to_string(nExit) + ";";
        }
        printf("round %d (from %s):", i + 1, arrColumns[i % nColumns].szName);
        for (const Column& column : arrColumns) printf(" %s %.3f s,", column.szName, column.arrSeconds.back());
        printf("%s\n", strFailed.empty() ? " all exit 0" : strFailed.c_str());
        if (!strFailed.empty()) {
            printf("a run failed; no ratio\n");
            return 1;
        }
    }
    printf("medians: /B %.3f s, /B /QUIET %.3f s, NSIS %.3f s, copy commands %.3f s\n", Median(arrColumns[0].arrSeconds),
           Median(arrColumns[1].arrSeconds), Median(arrColumns[2].arrSeconds), Median(arrColumns[3].arrSeconds));
    // The median over the rounds of column a's time over column b's in the same round.
    const auto ratio = [&](size_t a, size_t b) {
        std::vector<double> arrRatios;
        for (int i = 0; i < nRounds; ++i) arrRatios.push_back(arrColumns[a].arrSeconds[i] / arrColumns[b].arrSeconds[i]);
        return Median(arrRatios);
    };
    printf("ratio (median of %d rounds' ratios) /B / NSIS %.2fx, /B /QUIET / NSIS %.2fx (aim: /B /QUIET no slower than "
           "NSIS, 1.00x or less); /B / copy commands %.2fx\n",
           nRounds, ratio(0, 2), ratio(1, 2), ratio(0, 3));
    fflush(stdout);
    return 0;
}
