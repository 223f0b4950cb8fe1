#pragma once
// Keeps DLL planting out: a setup is often started from a Downloads folder
// that holds whatever DLLs a web page dropped there.
namespace platform {

// Restricts DLL loading to the system folder. Call first thing in main, before
// any DLL that is not a known system DLL is loaded.
void RestrictDllSearch();

}  // namespace platform
