// One owner for every kind of system resource: a file handle, a mapping, a
// view, a registry key, a buffer the system allocated, a descriptor, an iconv
// descriptor. Each kind is one traits type naming its value, its failure value
// and its releasing call; the owner releases exactly once and never throws.
//
//   struct Traits {
//     using Value = ...;                         // what the system hands out
//     static Value Invalid() noexcept;           // the call's failure value
//     static void Close(Value value) noexcept;   // the releasing call
//   };
#pragma once

#include <utility>

namespace zet {

template <typename Traits>
class UniqueResource {
 public:
  using Value = typename Traits::Value;

  UniqueResource() noexcept : value_(Traits::Invalid()) {}
  explicit UniqueResource(Value value) noexcept : value_(value) {}
  ~UniqueResource() { Close(); }

  UniqueResource(UniqueResource&& other) noexcept : value_(other.Release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;

  Value Get() const noexcept { return value_; }
  bool Valid() const noexcept { return !(value_ == Traits::Invalid()); }

  // Gives the value up without releasing it.
  Value Release() noexcept {
    Value value = value_;
    value_ = Traits::Invalid();
    return value;
  }

  // Releases what is held and takes `value` instead.
  void Reset(Value value = Traits::Invalid()) noexcept {
    Close();
    value_ = value;
  }

  // For calls that hand the resource out through a pointer argument
  // (FormatMessageA's buffer, RegCreateKeyExA's key).
  Value* Receiver() noexcept {
    Reset();
    return &value_;
  }

  // Releases now; the owner then holds the failure value.
  void Close() noexcept {
    if (Valid()) {
      Traits::Close(std::exchange(value_, Traits::Invalid()));
    }
  }

 private:
  Value value_;
};

}  // namespace zet
