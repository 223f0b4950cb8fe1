// The demo product: a small window that says which program it is, so that an
// installed copy can be started and recognised.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MessageBoxA(nullptr, "Mirvo 98, Version 1.80.9\n\nDemo-Programm der Quandelwerk-Installation.", "Mirvo 98",
              MB_OK | MB_ICONINFORMATION);
  return 0;
}
