// uidriver.exe: drives the windows of other programs on this machine, for scenarios and demos.
//
//   uidriver windows                          top-level windows: handle, class, caption
//   uidriver wait CAPTION [CLASS] [MS]        waits for a window; exit 1 on time-out
//   uidriver children CAPTION                 its controls: id, class, text
//   uidriver names CAPTION                    its controls: id, class, the name screen readers give it
//   uidriver listview CAPTION ID              rows of a list view: [x] or [ ] and the text
//   uidriver check CAPTION ID ROW 0|1         sets a row's check box
//   uidriver click CAPTION ID                 presses a button
//   uidriver msgbox CAPTION [MS]              waits for a message box and prints its text
//   uidriver screenshot FILE                  saves the screen as PNG
// Texts are printed as the system's ANSI bytes.
#include "tools/uidriver/uidriver.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int Usage() {
    fprintf(stderr, "usage: uidriver windows|wait|children|names|listview|check|click|msgbox|screenshot ...\n");
    return 2;
}

HWND Find(const std::string& strCaption, DWORD dwTimeoutMs = 10000) {
    HWND hWnd = uidriver::WaitForWindow(strCaption, "", dwTimeoutMs);
    if (!hWnd) fprintf(stderr, "uidriver: no window \"%s\"\n", strCaption.c_str());
    return hWnd;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    std::string strCommand = argv[1];
    if (strCommand == "windows") {
        for (const auto& w : uidriver::TopLevelWindows())
            printf("%p %s \"%s\"\n", static_cast<void*>(w.hWnd), w.strClass.c_str(), w.strText.c_str());
        return 0;
    }
    if (strCommand == "wait" && argc >= 3) {
        DWORD dwTimeout = argc >= 5 ? static_cast<DWORD>(atoi(argv[4])) : 10000;
        HWND hWnd = uidriver::WaitForWindow(argv[2], argc >= 4 ? argv[3] : "", dwTimeout);
        if (!hWnd) return 1;
        printf("%p\n", static_cast<void*>(hWnd));
        return 0;
    }
    if (strCommand == "children" && argc >= 3) {
        HWND hWnd = Find(argv[2]);
        if (!hWnd) return 1;
        for (const auto& c : uidriver::Children(hWnd))
            printf("%d %s \"%s\"%s\n", c.nId, c.strClass.c_str(), c.strText.c_str(), c.bVisible ? "" : " (hidden)");
        return 0;
    }
    if (strCommand == "names" && argc >= 3) {
        HWND hWnd = Find(argv[2]);
        if (!hWnd) return 1;
        for (const auto& c : uidriver::Children(hWnd))
            printf("%d %s \"%s\"%s\n", c.nId, c.strClass.c_str(), uidriver::AccessibleName(c.hWnd).c_str(),
                   c.bVisible ? "" : " (hidden)");
        return 0;
    }
    if (strCommand == "listview" && argc >= 4) {
        HWND hWnd = Find(argv[2]);
        if (!hWnd) return 1;
        for (const auto& row : uidriver::ReadListView(GetDlgItem(hWnd, atoi(argv[3]))))
            printf("[%c] %s\n", row.bChecked ? 'x' : ' ', row.strText.c_str());
        return 0;
    }
    if (strCommand == "check" && argc >= 6) {
        HWND hWnd = Find(argv[2]);
        return hWnd && uidriver::SetListViewCheck(GetDlgItem(hWnd, atoi(argv[3])), atoi(argv[4]), atoi(argv[5]) != 0) ? 0 : 1;
    }
    if (strCommand == "click" && argc >= 4) {
        HWND hWnd = Find(argv[2]);
        return hWnd && uidriver::ClickButton(hWnd, atoi(argv[3])) ? 0 : 1;
    }
    if (strCommand == "msgbox" && argc >= 3) {
        HWND hBox = uidriver::WaitForWindow(argv[2], "#32770", argc >= 4 ? static_cast<DWORD>(atoi(argv[3])) : 10000);
        if (!hBox) return 1;
        printf("%s\n", uidriver::MessageBoxText(hBox).c_str());
        return 0;
    }
    if (strCommand == "screenshot" && argc >= 3) return uidriver::SaveScreenshot(argv[2]) ? 0 : 1;
    return Usage();
}
