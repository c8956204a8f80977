// The suite's version, held once: the setup program's version resource is built from it, and tools/release
// names a release after the ProductVersion it reads back from the built setup program. The product
// writes its version as "major.minorpatchbuild" (5.981); the file version keeps the four parts apart.
// Plain macros only: the resource compiler reads this file too.
#pragma once

#define LQ_VERSION_MAJOR 5
#define LQ_VERSION_MINOR 9
#define LQ_VERSION_PATCH 8
#define LQ_VERSION_BUILD 1

// The maker, as the Windows list of programs names it beside the version.
#define LQ_PUBLISHER "Zmt"

#define LQ_VERSION_STR_(x) #x
#define LQ_VERSION_STR(x) LQ_VERSION_STR_(x)
#define LQ_FILE_VERSION_TEXT                                                                       \
    LQ_VERSION_STR(LQ_VERSION_MAJOR) "." LQ_VERSION_STR(LQ_VERSION_MINOR) "." LQ_VERSION_STR(     \
        LQ_VERSION_PATCH) "." LQ_VERSION_STR(LQ_VERSION_BUILD)
#define LQ_PRODUCT_VERSION_TEXT                                                                    \
    LQ_VERSION_STR(LQ_VERSION_MAJOR) "." LQ_VERSION_STR(LQ_VERSION_MINOR) LQ_VERSION_STR(         \
        LQ_VERSION_PATCH) LQ_VERSION_STR(LQ_VERSION_BUILD)
