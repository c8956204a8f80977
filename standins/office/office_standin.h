// Stand-in for Microsoft Excel, PowerPoint and Word as automation servers: a test double, not Office.
//
// One program, OfficeStandin.exe, registered as the local server of three classes, one per ProgID
// ("Excel.Application", "PowerPoint.Application", "Word.Application"). COM starts it with the application's
// name on its command line; it then serves one Application object through IDispatch:
//
//   Application.CommandBars            property get -> CommandBars
//   CommandBars.Item(name)             -> CommandBar, or DISP_E_EXCEPTION when no bar has that name
//   CommandBar.Delete()                removes the bar
//   Application.Quit()
//
// A test decides which bars an application has through the registry: a bar exists while the key
// HKEY_CURRENT_USER\Software\OfficeStandin\<application>\CommandBars\<bar name> exists; Delete removes it.
// Every call that reaches the server is appended as one line to the call log kCallLogPath:
//
//   <application> Start
//   <application> Invoke <member> flags=<n> [arg=<text>] -> <outcome>
//   <application> End quit=<0|1>
//
// The outcome is "ok" or the failure the server returned ("missing", "unknown-member", "bad-args").
// The process ends once every object it handed out has been released.
#pragma once

#include <windows.h>

namespace office_standin {

constexpr const char* kCallLogPath = "C:\\OfficeStandin\\calls.log";
constexpr const char* kSettingsKey = "Software\\OfficeStandin";

struct Application {
    const char* szName;     // "Excel"
    const char* szProgID;   // "Excel.Application"
    CLSID clsid;
};

// The three stand-in classes, in the order Excel, PowerPoint, Word. The class ids are the stand-in's own.
extern const Application kApplications[3];

// Writes (bRegister) or deletes the ProgID and class keys under HKEY_CLASSES_ROOT, with szServerPath as
// the local server, of the application szOnly ("Excel") or, when it is null, of all three. Returns a
// Windows error code, 0 on success.
LONG RegisterApplications(const char* szServerPath, bool bRegister, const char* szOnly = nullptr);

}  // namespace office_standin
