#include "pattern/com_dispatch.h"

namespace tarvolo {
namespace {

// Frees the texts that a failing Invoke may leave in its exception record.
class ExceptionRecord {
 public:
  ExceptionRecord() { ZeroMemory(&info_, sizeof info_); }
  ~ExceptionRecord() {
    SysFreeString(info_.bstrSource);
    SysFreeString(info_.bstrDescription);
    SysFreeString(info_.bstrHelpFile);
  }
  ExceptionRecord(const ExceptionRecord&) = delete;
  ExceptionRecord& operator=(const ExceptionRecord&) = delete;

  EXCEPINFO* get() { return &info_; }

 private:
  EXCEPINFO info_;
};

HRESULT invoke(IDispatch* object, DISPID member, WORD flags, DISPPARAMS* parameters,
               VARIANT* result) {
  ExceptionRecord exception;
  UINT bad_argument = 0;
  return object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, parameters, result,
                        exception.get(), &bad_argument);
}

}  // namespace

Bstr::Bstr(const std::u16string& text)
    : value_(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.c_str()),
                               static_cast<UINT>(text.size()))) {}

bool find_member(IDispatch* object, const wchar_t* name, DISPID* member) {
  if (object == nullptr) return false;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  return SUCCEEDED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, member));
}

bool put_property(IDispatch* object, const wchar_t* name, const VARIANT& value) {
  DISPID member = 0;
  if (!find_member(object, name, &member)) return false;
  VARIANT argument = value;  // Invoke only reads it; the caller keeps ownership
  DISPID named_argument = DISPID_PROPERTYPUT;
  DISPPARAMS parameters = {&argument, &named_argument, 1, 1};
  return SUCCEEDED(invoke(object, member, DISPATCH_PROPERTYPUT, &parameters, nullptr));
}

bool put_bool_property(IDispatch* object, const wchar_t* name, bool value) {
  VARIANT argument;
  VariantInit(&argument);
  argument.vt = VT_BOOL;
  argument.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return put_property(object, name, argument);
}

bool put_text_property(IDispatch* object, const wchar_t* name, const std::u16string& value) {
  const Bstr text(value);
  if (!text.valid()) return false;
  VARIANT argument;
  VariantInit(&argument);
  argument.vt = VT_BSTR;
  argument.bstrVal = text.get();
  return put_property(object, name, argument);
}

bool get_int_property(IDispatch* object, const wchar_t* name, long* value) {
  DISPID member = 0;
  if (!find_member(object, name, &member)) return false;
  DISPPARAMS no_arguments = {nullptr, nullptr, 0, 0};
  VARIANT result;
  VariantInit(&result);
  bool ok = SUCCEEDED(invoke(object, member, DISPATCH_PROPERTYGET, &no_arguments, &result)) &&
            SUCCEEDED(VariantChangeType(&result, &result, 0, VT_I4));
  if (ok) *value = result.lVal;
  VariantClear(&result);
  return ok;
}

ComRef<IDispatch> call_returning_object(IDispatch* object, DISPID member,
                                        const std::u16string& argument_text) {
  if (object == nullptr) return ComRef<IDispatch>();
  const Bstr text(argument_text);
  if (!text.valid()) return ComRef<IDispatch>();
  VARIANT argument;
  VariantInit(&argument);
  argument.vt = VT_BSTR;
  argument.bstrVal = text.get();
  DISPPARAMS parameters = {&argument, nullptr, 1, 0};
  VARIANT result;
  VariantInit(&result);
  ComRef<IDispatch> returned;
  if (SUCCEEDED(invoke(object, member, DISPATCH_METHOD, &parameters, &result)) &&
      result.vt == VT_DISPATCH) {
    returned = ComRef<IDispatch>::share(result.pdispVal);
  }
  VariantClear(&result);
  return returned;
}

}  // namespace tarvolo
