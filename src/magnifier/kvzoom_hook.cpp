// The keyboard hook library: loaded once on demand, removed when the window goes.
#include <stdexcept>

#include "app/globals.h"
#include "magnifier/kvzoom.h"
#include "ui/message_dialog.h"

namespace lupendo {

namespace {
using TShEntry = HHOOK(WINAPI*)(HWND);
}

void TKvZoom::CheckKeyDll() {
  if (FHookLibrary || FHookLoadTried) return;
  FHookLoadTried = true;
  std::string path = ProgramFolder() + "KvHk.dll";
  HMODULE library = LoadLibraryA(path.c_str());
  if (reinterpret_cast<UINT_PTR>(library) <= 32) {
    DWORD error = GetLastError();
    throw std::runtime_error("Unable to load module:" + path + "\r\n" + SystemErrorText(error));
  }
  FHookLibrary = library;
  FHookEntry = GetProcAddress(library, "SHEntry");
  if (!FHookEntry) throw std::runtime_error("Procedure not found in KvHk.dll.");
  FKeyboardHook = reinterpret_cast<TShEntry>(reinterpret_cast<void*>(FHookEntry))(Handle());
}

void TKvZoom::FreeHookLibrary() {
  if (!FHookLibrary) return;
  if (FKeyboardHook && !UnhookWindowsHookEx(FKeyboardHook))
    ui::ConfirmYesOnly(HandleAllocated() ? Handle() : nullptr, "Could not remove from KvHk, KH");
  FKeyboardHook = nullptr;
  FreeLibrary(FHookLibrary);
  FHookLibrary = nullptr;
  FHookEntry = nullptr;
}

// Left and Right Ctrl pick and drop the target window of the zoom at the screen cursor,
// which is not built yet; every notification re-evaluates whether to re-read the cursor.
void TKvZoom::HookNotification(WPARAM, LPARAM) {
  FRequeryCursor = false;
}

}  // namespace lupendo
