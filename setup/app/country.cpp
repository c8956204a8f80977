#include "setup/app/country.h"

int countryCode = 0;
