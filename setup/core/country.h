// The language of every text: the system default country code, read once at start-up.
#pragma once

// 82 selects the Korean text of each message, any other value the English one. Start-up sets it
// (0 with "/E"); it is 0, English, until then.
extern int countryCode;

inline bool IsKorean() { return countryCode == 82; }

// The product banner and the server-list rule depend on the edition: 1 Quobbin, 2 Tessaly, any other
// value the standard edition. This build is the standard edition.
constexpr int edition = 3;
