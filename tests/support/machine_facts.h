// What kind of Windows machine a test runs on, from two sources kept apart on purpose: the seeding the
// test asked tools/wine-run for (LQ_LOCALE, LQ_WINVER, which ctest sets per registered run), which the
// expectations of a test follow; and what Windows itself reports, which the program under test reads.
#pragma once

namespace lqtest {

// Seeded with the Korean locale (LQ_LOCALE=ko); English otherwise.
bool IsKoreanMachine();
// Seeded as Windows Vista or later: Windows 7 (LQ_WINVER=win7, the default) or 10 (win10); false for
// Windows XP. What the setup program does "on Vista and later" (access lists) follows this.
bool IsVistaOrLater();
// Seeded as Windows 10 (LQ_WINVER=win10).
bool IsWin10();
// Seeded as a 64-bit Windows 7 or 10 (LQ_ARCH=win64), where this 32-bit program runs under WoW64.
bool Is64BitMachine();
// The screen's dots per inch the machine was seeded with (LQ_DPI); 96 when none was given.
int SeededDpi();
// The system default locale's country code as Windows reports it and the setup program's start-up reads
// it: 82 on a Korean machine.
int SystemCountryCode();

}  // namespace lqtest
