// The one owner template for every handle kind: a traits struct names the
// handle type, its invalid value, how to release it and its HandleKind.
// Platform-free (the Win32 traits live in unique_handle.h), so its counting
// is tested natively with traits of its own.
//
// The owners keep the live-handle counts (live_handles.h): one more when an
// owner takes a valid handle (construction, reset, the out-parameter of a
// creating call), one fewer when it closes it or gives it away with
// release(); a move hands the handle on and changes no count.
#pragma once
#include <utility>

#include "platform/live_handles.h"

namespace corvane::platform {

template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;
  static constexpr HandleKind kKind = Traits::kind;

  // What put() gives: converts to the Handle* a creating call fills, and
  // counts the handle once that call has returned (at the end of the full
  // expression). Only for an argument of that call.
  class OutParam {
   public:
    explicit OutParam(UniqueHandle& owner) noexcept : owner_(owner) {}
    OutParam(const OutParam&) = delete;
    OutParam& operator=(const OutParam&) = delete;
    ~OutParam() {
      if (owner_.h_ != Traits::invalid()) CountTaken(kKind);
    }
    operator Handle*() const noexcept { return &owner_.h_; }

   private:
    UniqueHandle& owner_;
  };

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle h) noexcept : h_(h) {
    if (h_ != Traits::invalid()) CountTaken(kKind);
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) {
      Close(std::exchange(h_, std::exchange(o.h_, Traits::invalid())));
    }
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept { return h_; }
  explicit operator bool() const noexcept { return h_ != Traits::invalid(); }
  // The caller owns the handle from now on; the owners no longer count it.
  Handle release() noexcept {
    Handle h = std::exchange(h_, Traits::invalid());
    if (h != Traits::invalid()) CountReleased(kKind);
    return h;
  }
  void reset(Handle h = Traits::invalid()) noexcept {
    if (h != Traits::invalid()) CountTaken(kKind);
    Close(std::exchange(h_, h));
  }
  // For out-parameters of creating calls: releases the current handle first.
  OutParam put() noexcept {
    reset();
    return OutParam(*this);
  }

 private:
  static void Close(Handle h) noexcept {
    if (h == Traits::invalid()) return;
    Traits::close(h);
    CountReleased(kKind);
  }

  Handle h_ = Traits::invalid();
};

}  // namespace corvane::platform
