// The language of every text and the edition of this build.
#pragma once

#include "setup/core/texts.h"

// The language the system's default country code selects: Korean for 82, English for any other.
constexpr Language LanguageOfCountry(int nCountryCode) {
    return nCountryCode == 82 ? Language::Korean : Language::English;
}

// Start-up sets the language of every text once, from the country code (English with "/E"); until then it is
// English. CurrentLanguage() (texts.h) reads it.
void SetLanguage(Language language);

// The product banner and the server-list rule depend on the edition.
enum class Edition { Quobbin = 1, Tessaly = 2, Standard = 3 };
// This build is the standard edition.
constexpr Edition kEdition = Edition::Standard;
