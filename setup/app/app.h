// CZmtUpGradeApp: the setup program's application object. All of its work happens in InitInstance: it
// prepares the common controls, reads the country code and the command line, runs exactly one run mode
// and returns FALSE, so that the process ends with that mode's exit code and no message loop.
#pragma once

#include "framework/winapp.h"
#include "setup/app/run_modes.h"
#include "setup/app/switches.h"

#include <string>
#include <vector>

class CZmtUpGradeApp : public CWinApp {
public:
    // The system default country code, read once at start-up (0 with "/E"); it chooses the language.
    int countryCode = 0;

    BOOL InitInstance() override;
    BOOL PumpMessage() override;

    // The system default country code as GetLocaleInfoA reports it; 0 when it cannot be read.
    static int ReadSystemCountryCode();
    // The process's arguments after the program's own name, as the runtime split them.
    static std::vector<std::string> Arguments();

private:
    // A mode that changes the machine: under the run lock (1618 when another run holds it or that cannot be
    // told), and once the shipped folder is protected (1603 when it is a link); the mode's exit code.
    static int RunChangingMode(const RunModePolicy& policy, const CommandLine& commandLine);
};
