#include "setup/core/country.h"

int countryCode = 0;
