// Benchmark: the silent install "/B" of the full payload on a seeded DTP machine against the same
// fifteen copies done by one cmd.exe running "copy /Y" commands, in the same machine, run alternately.
// Prints each round and the ratio of the medians (install / copy). Aim: within 1.5x.
#include "tests/support/files.h"
#include "tests/support/programs.h"
#include "tests/support/registry.h"
#include "tests/support/suite.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using lqtest::kBin;
using lqtest::kInstall;

struct Copy {
    std::string strSource, strFolder;
};

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) {
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    const int nRounds = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    // The machine: Photoshop 7.0 and CS2, Illustrator, QuarkXPress 6.5 full and demo.
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
        strBatch += "copy /Y \"" + kInstall + "\\" + c.strSource + "\" \"" + c.strFolder + "\\" + c.strSource + "\" >nul\r\n";
    lqtest::MakeFolders(kBin);
    lqtest::WriteFileBytes("C:\\bench_copy.bat", strBatch);

    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    std::vector<double> arrInstall, arrCopy;
    for (int i = 0; i < nRounds; ++i) {
        QueryPerformanceCounter(&a);
        int nInstall = lqtest::RunToEnd("/B");
        QueryPerformanceCounter(&b);
        arrInstall.push_back(Seconds(a, b, f));
        QueryPerformanceCounter(&a);
        int nCopy = lqtest::RunToEnd("/c C:\\bench_copy.bat", 120000, "C:\\windows\\system32\\cmd.exe");
        QueryPerformanceCounter(&b);
        arrCopy.push_back(Seconds(a, b, f));
        printf("round %d: silent install %.3f s (exit %d), copy commands %.3f s (exit %d)\n", i + 1, arrInstall.back(),
               nInstall, arrCopy.back(), nCopy);
        if (nInstall != 0 || nCopy != 0) {
            printf("a run failed; no ratio\n");
            return 1;
        }
    }
    const double dInstall = Median(arrInstall), dCopy = Median(arrCopy);
    printf("median silent install %.3f s, median copy commands %.3f s, ratio %.2fx (aim: within 1.5x)\n", dInstall,
           dCopy, dInstall / dCopy);
    fflush(stdout);
    return 0;
}
