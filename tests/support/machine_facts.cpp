#include "tests/support/machine_facts.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace lqtest {
namespace {

std::string Env(const char* szName) {
    const char* sz = getenv(szName);
    return sz ? sz : "";
}

}  // namespace

bool IsKoreanMachine() { return Env("LQ_LOCALE") == "ko"; }

bool IsVistaOrLater() { return Env("LQ_WINVER") != "winxp"; }

bool IsWin10() { return Env("LQ_WINVER") == "win10"; }

bool Is64BitMachine() { return Env("LQ_ARCH") == "win64"; }

int SeededDpi() {
    const int nDpi = atoi(Env("LQ_DPI").c_str());
    return nDpi > 0 ? nDpi : 96;
}

int SystemCountryCode() {
    char szCountry[7] = {};
    GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_ICOUNTRY, szCountry, sizeof szCountry);
    return atoi(szCountry);
}

}  // namespace lqtest
