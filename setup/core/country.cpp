#include "setup/core/country.h"

namespace {
Language g_language = Language::English;
}  // namespace

void SetLanguage(Language language) { g_language = language; }

Language CurrentLanguage() { return g_language; }
