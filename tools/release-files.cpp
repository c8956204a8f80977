// release-files [--ours]: prints, one a line, the names of the outside files that the setup program copies
// from its folder, the files of the suite's host table that this source tree does not build; with --ours,
// the rows it does build. tools/release compiles it natively from the commit it releases, so the payload
// it demands is the program's own list.
#include "setup/core/hosts.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const bool bOurs = argc > 1 && std::strcmp(argv[1], "--ours") == 0;
    for (const HostDefinition& host : kHosts)
        for (const SuiteFile& file : host.arrFiles)
            if (file.bOurs == bOurs) std::printf("%s\n", file.szName);
    return 0;
}
