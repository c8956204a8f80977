// release-files [--ours]: prints, one a line, the names of the outside files that the setup program copies
// from its folder, the rows of the suite's file table that this source tree does not build; with --ours,
// the rows it does build. tools/release compiles it natively from the commit it releases, so the payload
// it demands is the program's own list.
#include "setup/core/suite_files.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const bool bOurs = argc > 1 && std::strcmp(argv[1], "--ours") == 0;
    for (size_t i = 0; i < kSuiteFileCount; ++i)
        if (kSuiteFiles[i].bOurs == bOurs) std::printf("%s\n", kSuiteFiles[i].szName);
    return 0;
}
