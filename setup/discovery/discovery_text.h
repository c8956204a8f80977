// Text rules of host discovery that need no registry or file system: the major version of a version
// text and the forming of a plug-in folder candidate.
// Portable; the texts are ANSI in the system code page (code page 949 on Korean systems).
#pragma once

#include <string>

// The part before the first "." (the whole text when there is none), read as a decimal number: optional
// leading white space and sign, then the leading digits; no digits gives 0. "7.0" -> 7, "8" -> 8,
// "CS2" -> 0. Hexadecimal, exponents and words such as "inf" are not numbers here; an absurdly long run of
// digits is capped at 1e30 instead of overflowing.
float MajorVersionOf(const std::string& strText);

// True when the text ends in a backslash character (a single-byte one: the trail byte 0x5C of a
// double-byte character is not a backslash).
bool EndsWithBackslash(const std::string& strText);

// strFolder + strName, with a "\" between them unless strFolder already ends with one.
std::string AppendFolderName(const std::string& strFolder, const std::string& strName);
