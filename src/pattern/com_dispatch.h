// Late-bound automation on an IDispatch object: what the Windows pattern
// engine needs to drive "VBScript.RegExp" without a type library, ATL or
// #import. Every call reports failure by its result and never throws.
#ifndef TARVOLO_PATTERN_COM_DISPATCH_H_
#define TARVOLO_PATTERN_COM_DISPATCH_H_

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace tarvolo {

// One counted reference to a COM interface: released when dropped.
template <class Interface>
class ComRef {
 public:
  ComRef() = default;
  // Takes over a reference the caller already owns.
  static ComRef adopt(Interface* pointer) {
    ComRef ref;
    ref.pointer_ = pointer;
    return ref;
  }
  // Adds a reference of its own.
  static ComRef share(Interface* pointer) {
    if (pointer != nullptr) pointer->AddRef();
    return adopt(pointer);
  }

  ComRef(const ComRef& other) : pointer_(other.pointer_) {
    if (pointer_ != nullptr) pointer_->AddRef();
  }
  ComRef(ComRef&& other) noexcept : pointer_(other.pointer_) { other.pointer_ = nullptr; }
  ComRef& operator=(ComRef other) noexcept {
    Interface* old = pointer_;
    pointer_ = other.pointer_;
    other.pointer_ = old;
    return *this;
  }
  ~ComRef() { reset(); }

  void reset() {
    if (pointer_ != nullptr) {
      Interface* old = pointer_;
      pointer_ = nullptr;
      old->Release();
    }
  }
  Interface* get() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

 private:
  Interface* pointer_ = nullptr;
};

// A BSTR owned for the length of a call.
class Bstr {
 public:
  explicit Bstr(const std::u16string& text);
  ~Bstr() { SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR get() const { return value_; }
  // False when the string could not be allocated (a null BSTR would read
  // as the empty text, so callers give up instead).
  bool valid() const { return value_ != nullptr; }

 private:
  BSTR value_;
};

// DISPID of a member by name; false when the object has no such member.
bool find_member(IDispatch* object, const wchar_t* name, DISPID* member);

// object.name = value. False when the member is missing or refuses the value.
bool put_property(IDispatch* object, const wchar_t* name, const VARIANT& value);
bool put_bool_property(IDispatch* object, const wchar_t* name, bool value);
bool put_text_property(IDispatch* object, const wchar_t* name, const std::u16string& value);

// object.name, read as an integer; false when it cannot be read or is no
// number.
bool get_int_property(IDispatch* object, const wchar_t* name, long* value);

// object.member(argument) returning an object, as Execute does. Null when
// the call fails or returns anything else.
ComRef<IDispatch> call_returning_object(IDispatch* object, DISPID member,
                                        const std::u16string& argument);

}  // namespace tarvolo

#endif  // TARVOLO_PATTERN_COM_DISPATCH_H_
