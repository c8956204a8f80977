// The portable rules of the settings files: integer text in the bases that CIni offers, and the
// server-list rule of the Install button. No file access here.
#pragma once

#include "setup/core/country.h"

#include <cstdint>
#include <string>

// Integer as CIni writes it. Base 2: binary digits of the value's 32 bits, most significant first, no
// leading zeros ("0" for 0). Base 8: "%o"; base 16: "%X"; any other base: "%d". Never truncated.
std::string FormatIniInteger(int32_t nValue, int nBase);

// Integer as CIni reads it: nDefault for an empty text; otherwise the text read as an unsigned number in
// base 2, 8 or 16 (any other base counts as 10), stopping at the first character that is not a digit of
// that base (0 when none is), its low 32 bits taken as a signed value.
int32_t ParseIniInteger(const std::string& strText, int32_t nDefault, int nBase);

// The server-list file names the suite knows, by kind: 1 "SvrLst.cfg", 2 "SvrLstTessly.cfg",
// 3 "SvrLstQuobbTessly.cfg" (compared case-insensitively); anything else, also empty, is -1.
int ClassifyServerList(const std::string& strServerListFileName);

// What the Install button writes into "c:\ZmtPlugin\Zmt.ini" after "Run" = 1, from the values read.
struct ServerListWrites {
    std::string strServerListFileName;  // empty: "ServerListFileName" stays unchanged
    std::string strHome;                // empty: "BrelHome" and "DefaultHome" are not written
};
ServerListWrites DecideServerListWrites(Edition edition, const std::string& strBrelHome,
                                        const std::string& strServerListFileName);

// The vendor home-page addresses of the Quobbin and Tessaly editions.
extern const char kQuobbinHome[];
extern const char kTessalyHome[];
