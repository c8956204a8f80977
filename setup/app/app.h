// CZmtUpGradeApp: the setup program's application object. All of its work happens in InitInstance: it
// prepares the common controls, reads the country code and the command line, runs exactly one run mode
// and returns FALSE, so that the process ends with that mode's exit code and no message loop.
#pragma once

#include "framework/winapp.h"

#include <string>
#include <vector>

class CZmtUpGradeApp : public CWinApp {
public:
    BOOL InitInstance() override;
    BOOL PumpMessage() override;

    // The system default country code as GetLocaleInfoA reports it; 0 when it cannot be read.
    static int ReadSystemCountryCode();
    // The process's arguments after the program's own name, as the runtime split them.
    static std::vector<std::string> Arguments();
};
