// Stand-in for the product's uninstaller: the demo places and registers it,
// and starting it only says what a real one would do.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MessageBoxA(nullptr, "Mirvo 98 deinstallieren: Dies ist nur ein Platzhalter der Demo-Verteilung.",
              "Mirvo 98 deinstallieren", MB_OK | MB_ICONINFORMATION);
  return 0;
}
