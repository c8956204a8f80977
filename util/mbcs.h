// Double-byte text of code page 949 (Korean ANSI), portable: the one place for the program's small text
// rules. The setup program's texts and paths are ANSI; on a Korean system a character may be two bytes, a
// lead byte 0x81..0xFE followed by a trail byte, and a trail byte may look like an ASCII letter. Code that
// cuts, compares, searches or folds the case of such text steps over whole characters: only single-byte
// ASCII letters are ever folded.
#pragma once

#include <cstddef>
#include <string>

namespace mbcs {

inline bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Length in bytes of the character starting at text[i] (1 or 2; 1 for a lead byte without a trail).
inline size_t CharLength(const std::string& text, size_t i) {
    return (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() && text[i + 1] != '\0') ? 2 : 1;
}

inline char LowerAsciiChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// A copy with the single-byte letters A-Z lower-cased; double-byte characters stay as they are.
inline std::string LowerAscii(const std::string& text) {
    std::string lower = text;
    for (size_t i = 0; i < lower.size(); i += CharLength(lower, i))
        if (CharLength(lower, i) == 1) lower[i] = LowerAsciiChar(lower[i]);
    return lower;
}

// True when text at byte i begins with pattern, single-byte letters compared without case and double-byte
// characters exactly. i must be a character boundary of text.
inline bool MatchesNoCaseAt(const std::string& text, size_t i, const std::string& pattern) {
    for (size_t j = 0; j < pattern.size();) {
        if (i + j >= text.size()) return false;
        const size_t n = CharLength(text, i + j);
        if (n != CharLength(pattern, j)) return false;
        if (n == 2) {
            if (text[i + j] != pattern[j] || text[i + j + 1] != pattern[j + 1]) return false;
        } else if (LowerAsciiChar(text[i + j]) != LowerAsciiChar(pattern[j])) {
            return false;
        }
        j += n;
    }
    return true;
}

inline bool EqualNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && MatchesNoCaseAt(a, 0, b);
}

inline bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return MatchesNoCaseAt(text, 0, prefix);
}

// The first character boundary of text where needle begins, compared as EqualNoCase does; npos when
// there is none. A match never starts on a trail byte.
inline size_t FindNoCase(const std::string& text, const std::string& needle) {
    for (size_t i = 0; i + needle.size() <= text.size(); i += CharLength(text, i))
        if (MatchesNoCaseAt(text, i, needle)) return i;
    return std::string::npos;
}

// White space as the C locale has it: blank, tab, line feed, vertical tab, form feed, carriage return.
// No byte of a double-byte character is one.
inline bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// text without its leading and trailing white space.
inline std::string Trim(const std::string& text) {
    size_t nBegin = 0, nEnd = text.size();
    while (nBegin < nEnd && IsSpace(text[nBegin])) ++nBegin;
    while (nEnd > nBegin && IsSpace(text[nEnd - 1])) --nEnd;
    return text.substr(nBegin, nEnd - nBegin);
}

}  // namespace mbcs
