// Minimal owners for COM: an interface pointer, the thread's apartment, a
// VARIANT and a BSTR. Each releases what it holds exactly once, on every
// path out of the routine that made it.
#pragma once
#include <windows.h>
// after windows.h
#include <objbase.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace corvane::platform {

// Owns one reference to an interface.
template <class T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  // Takes over a reference the caller already holds.
  explicit ComPtr(T* p) noexcept : p_(p) {}
  ComPtr(const ComPtr& o) noexcept : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& o) noexcept : p_(o.release()) {}
  ComPtr& operator=(ComPtr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  T* get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }
  T* release() noexcept { return std::exchange(p_, nullptr); }
  void reset() noexcept {
    if (T* old = std::exchange(p_, nullptr)) old->Release();
  }
  // For out-parameters of creating calls: drops the current reference first.
  T** put() noexcept {
    reset();
    return &p_;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

  // QueryInterface for another interface; null when the object lacks it.
  template <class U>
  ComPtr<U> As() const noexcept {
    ComPtr<U> out;
    if (p_) p_->QueryInterface(__uuidof(U), out.put_void());
    return out;
  }

 private:
  T* p_ = nullptr;
};

// COM for the calling thread (single-threaded apartment) for the lifetime of
// the object; uninitialised only when the initialisation counted.
class ComApartment {
 public:
  ComApartment() noexcept : hr_(::CoInitialize(nullptr)) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (SUCCEEDED(hr_)) ::CoUninitialize();
  }
  // S_OK, S_FALSE (already initialised on this thread) or the failure, e.g.
  // RPC_E_CHANGED_MODE when the thread is in the multithreaded apartment.
  HRESULT result() const noexcept { return hr_; }
  bool ok() const noexcept { return SUCCEEDED(hr_); }

 private:
  HRESULT hr_;
};

// A VARIANT cleared on destruction and before being written again.
class Variant {
 public:
  Variant() noexcept { ::VariantInit(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  Variant(Variant&& o) noexcept : v_(o.v_) { ::VariantInit(&o.v_); }
  Variant& operator=(Variant&& o) noexcept {
    if (this != &o) {
      ::VariantClear(&v_);
      v_ = o.v_;
      ::VariantInit(&o.v_);
    }
    return *this;
  }
  ~Variant() { ::VariantClear(&v_); }

  const VARIANT& get() const noexcept { return v_; }
  VARIANT* put() noexcept {
    ::VariantClear(&v_);
    return &v_;
  }

 private:
  VARIANT v_;
};

// A BSTR freed on destruction. WMI and automation take BSTR arguments, and
// some servers read the length prefix, so plain wide strings will not do.
class Bstr {
 public:
  Bstr() noexcept = default;
  explicit Bstr(std::wstring_view text)
      : s_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& o) noexcept : s_(std::exchange(o.s_, nullptr)) {}
  Bstr& operator=(Bstr&& o) noexcept {
    if (this != &o) {
      ::SysFreeString(s_);
      s_ = std::exchange(o.s_, nullptr);
    }
    return *this;
  }
  ~Bstr() { ::SysFreeString(s_); }

  BSTR get() const noexcept { return s_; }
  BSTR* put() noexcept {
    ::SysFreeString(std::exchange(s_, nullptr));
    return &s_;
  }
  // A null BSTR is the empty text.
  std::wstring_view view() const noexcept { return {s_ ? s_ : L"", ::SysStringLen(s_)}; }

 private:
  BSTR s_ = nullptr;
};

}  // namespace corvane::platform
