#pragma once
// Owners for COM: the apartment of the calling thread and interface pointers.
#include <objbase.h>
#include <windows.h>

#include <utility>

namespace lupendo::ui {

// Enters a single-threaded apartment for the scope; leaves it only when this entry counted
// (a thread already in another apartment mode keeps it and is not left).
class TComApartment {
 public:
  TComApartment() : FResult(CoInitialize(nullptr)) {}
  ~TComApartment() {
    if (SUCCEEDED(FResult)) CoUninitialize();
  }
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;

 private:
  HRESULT FResult;
};

template <typename T>
class TComPtr {
 public:
  TComPtr() = default;
  ~TComPtr() { Reset(); }
  TComPtr(TComPtr&& other) noexcept : FPtr(std::exchange(other.FPtr, nullptr)) {}
  TComPtr& operator=(TComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      FPtr = std::exchange(other.FPtr, nullptr);
    }
    return *this;
  }
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;

  T* Get() const { return FPtr; }
  T* operator->() const { return FPtr; }
  explicit operator bool() const { return FPtr != nullptr; }
  // For calls that hand out a new reference (CoCreateInstance, QueryInterface).
  void** Out() {
    Reset();
    return reinterpret_cast<void**>(&FPtr);
  }
  void Reset() {
    if (FPtr) std::exchange(FPtr, nullptr)->Release();
  }

 private:
  T* FPtr = nullptr;
};

}  // namespace lupendo::ui
