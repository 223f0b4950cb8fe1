#pragma once
// State of the licence dialog's module.

// Whether the licence dialog may close: set when the terms are accepted.
extern bool LicenseAccepted;
