// Double-byte text of code page 949 (Korean ANSI), portable.
// The setup program's texts and paths are ANSI; on a Korean system a character may be two bytes, a
// lead byte 0x81..0xFE followed by a trail byte. Code that cuts, compares or folds the case of such
// text steps over whole characters.
#pragma once

#include <cstddef>
#include <string>

namespace mbcs {

inline bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Length in bytes of the character starting at text[i] (1 or 2; 1 for a lead byte without a trail).
inline size_t CharLength(const std::string& text, size_t i) {
    return (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() && text[i + 1] != '\0') ? 2 : 1;
}

// Case-insensitive comparison that folds only single-byte ASCII letters and compares double-byte
// characters exactly (a trail byte that looks like a letter is never folded).
inline bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size();) {
        size_t n = CharLength(a, i);
        if (n == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
        } else {
            unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
            if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
            if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
            if (x != y) return false;
        }
        i += n;
    }
    return true;
}

}  // namespace mbcs
