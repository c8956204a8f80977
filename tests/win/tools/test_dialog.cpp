// A small program with a list view of check boxes and a button, for uidriver's own test. Its exit code
// is a bit mask of the rows checked when "Done" was pressed.
#include <windows.h>
#include <commctrl.h>

namespace {

INT_PTR CALLBACK DialogProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM) {
    HWND hList = GetDlgItem(hDlg, 1000);
    if (nMsg == WM_INITDIALOG) {
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        column.cx = 250;
        SendMessageA(hList, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
        SendMessageA(hList, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        const char* rows[] = {"Microsoft Office", "포토샵 ( CS2 )", "QuarkXPress"};
        for (int i = 0; i < 3; ++i) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = const_cast<char*>(rows[i]);
            SendMessageA(hList, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            LVITEMA state{};
            state.stateMask = LVIS_STATEIMAGEMASK;
            state.state = INDEXTOSTATEIMAGEMASK(i == 0 ? 2 : 1);
            SendMessageA(hList, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&state));
        }
        return TRUE;
    }
    if (nMsg == WM_COMMAND && LOWORD(wParam) == IDOK) {
        int nMask = 0;
        for (int i = 0; i < 3; ++i) {
            UINT nState = static_cast<UINT>(SendMessageA(hList, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK));
            if ((nState >> 12) == 2) nMask |= 1 << i;
        }
        EndDialog(hDlg, 100 + nMask);
        return TRUE;
    }
    if (nMsg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, 1);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    return static_cast<int>(DialogBoxParamA(hInstance, MAKEINTRESOURCEA(100), nullptr, &DialogProc, 0));
}
