#include "license.h"

bool LicenseAccepted = false;
