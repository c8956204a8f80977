// Placing a file that the add-in hands back: copied into the data folder under a name of its own, then
// put into the current document as a picture item, centred in the visible area.
#pragma once

// pszRetData: the full path of the file to place; null or empty places "c:\ZmtPlugin\FontEmf.dat".
// Needs the bound services of g_xt; without a current document the file is only copied.
void PlaceRetData(const char* pszRetData);
