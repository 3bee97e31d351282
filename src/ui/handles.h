#pragma once
// Move-only owners for GDI, USER and kernel handles. Each releases its handle with the one
// call that matches how it was obtained; none can be copied.
#include <windows.h>

#include <utility>

namespace lupendo::ui {

template <typename T, typename Traits>
class TUnique {
 public:
  TUnique() = default;
  explicit TUnique(T value) : FValue(value) {}
  ~TUnique() { Reset(); }
  TUnique(TUnique&& other) noexcept : FValue(other.Release()) {}
  TUnique& operator=(TUnique&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TUnique(const TUnique&) = delete;
  TUnique& operator=(const TUnique&) = delete;

  T Get() const { return FValue; }
  explicit operator bool() const { return FValue != Traits::Invalid(); }
  // Gives up ownership, for hand-over to the system (SetWindowRgn, SetClipboardData) after
  // the call succeeded.
  T Release() { return std::exchange(FValue, Traits::Invalid()); }
  void Reset(T value = Traits::Invalid()) {
    T old = std::exchange(FValue, value);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

 private:
  T FValue = Traits::Invalid();
};

template <typename T>
struct TGdiTraits {
  static T Invalid() { return nullptr; }
  static void Close(T h) { DeleteObject(h); }
};
struct TDcTraits {
  static HDC Invalid() { return nullptr; }
  static void Close(HDC h) { DeleteDC(h); }
};
struct TKernelTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct TFileTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct TMenuTraits {
  static HMENU Invalid() { return nullptr; }
  static void Close(HMENU h) { DestroyMenu(h); }
};
struct TIconTraits {
  static HICON Invalid() { return nullptr; }
  static void Close(HICON h) { DestroyIcon(h); }
};
struct TRegKeyTraits {
  static HKEY Invalid() { return nullptr; }
  static void Close(HKEY h) { RegCloseKey(h); }
};
struct TFindTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { FindClose(h); }
};
struct TGlobalTraits {
  static HGLOBAL Invalid() { return nullptr; }
  static void Close(HGLOBAL h) { GlobalFree(h); }
};
struct TModuleTraits {
  static HMODULE Invalid() { return nullptr; }
  static void Close(HMODULE h) { FreeLibrary(h); }
};

using TBitmapHandle = TUnique<HBITMAP, TGdiTraits<HBITMAP>>;
using TRegionHandle = TUnique<HRGN, TGdiTraits<HRGN>>;
using TBrushHandle = TUnique<HBRUSH, TGdiTraits<HBRUSH>>;
using TPenHandle = TUnique<HPEN, TGdiTraits<HPEN>>;
using TFontHandle = TUnique<HFONT, TGdiTraits<HFONT>>;
using TMemoryDC = TUnique<HDC, TDcTraits>;
using TKernelHandle = TUnique<HANDLE, TKernelTraits>;
using TFileHandle = TUnique<HANDLE, TFileTraits>;
using TMenuHandle = TUnique<HMENU, TMenuTraits>;
using TIconHandle = TUnique<HICON, TIconTraits>;
using TRegKey = TUnique<HKEY, TRegKeyTraits>;
using TGlobalHandle = TUnique<HGLOBAL, TGlobalTraits>;
using TFindHandle = TUnique<HANDLE, TFindTraits>;
using TModuleHandle = TUnique<HMODULE, TModuleTraits>;

// A window's device context, released to its window.
class TWindowDC {
 public:
  explicit TWindowDC(HWND wnd, bool wholeWindow = false)
      : FWnd(wnd), FDC(wholeWindow ? GetWindowDC(wnd) : GetDC(wnd)) {}
  ~TWindowDC() {
    if (FDC) ReleaseDC(FWnd, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDC; }
  explicit operator bool() const { return FDC != nullptr; }

 private:
  HWND FWnd;
  HDC FDC;
};

class TPaintDC {
 public:
  explicit TPaintDC(HWND wnd) : FWnd(wnd) { FDC = BeginPaint(wnd, &FPaint); }
  ~TPaintDC() { EndPaint(FWnd, &FPaint); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC Get() const { return FDC; }
  const PAINTSTRUCT& Info() const { return FPaint; }

 private:
  HWND FWnd;
  PAINTSTRUCT FPaint{};
  HDC FDC;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) : FDC(dc), FOld(SelectObject(dc, object)) {}
  ~TSelectObject() {
    if (FOld && FOld != HGDI_ERROR) SelectObject(FDC, FOld);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

}  // namespace lupendo::ui
