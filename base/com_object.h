#pragma once

#include <windows.h>
#include <oaidl.h>
#include <unknwn.h>
#include <wrl/client.h>

#include <atomic>
#include <tuple>
#include <type_traits>
#include <utility>

// A class may list an implementation helper in place of an interface; the
// helper names the interface it implements as ComInterface.
template <class T, class = void>
struct ComInterfaceOf {
  using type = T;
};
template <class T>
struct ComInterfaceOf<T, std::void_t<typename T::ComInterface>> {
  using type = typename T::ComInterface;
};

// Reference counting and QueryInterface for the few COM objects this program
// and its stand-ins implement themselves. A class lists the interfaces it
// implements; IUnknown maps to the first of them, IDispatch to the first that
// derives from it. A class answering further identifiers (a dispatch interface
// such as an event interface) overrides FindInterface.
template <class... Interfaces>
class ComObject : public Interfaces... {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = FindInterface(iid);
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }

  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }

  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;

  virtual void* FindInterface(REFIID iid) {
    void* found = nullptr;
    ((found = found != nullptr ? found : Match<Interfaces>(iid)), ...);
    if (found == nullptr && iid == IID_IUnknown) found = First();
    return found;
  }

 private:
  template <class Listed>
  void* Match(REFIID iid) {
    using Interface = typename ComInterfaceOf<Listed>::type;
    Interface* self = static_cast<Listed*>(this);
    if (iid == __uuidof(Interface)) return self;
    if constexpr (std::is_base_of_v<IDispatch, Interface>) {
      if (iid == IID_IDispatch) return static_cast<IDispatch*>(self);
    }
    return nullptr;
  }

  void* First() {
    return static_cast<IUnknown*>(static_cast<std::tuple_element_t<0, std::tuple<Interfaces...>>*>(this));
  }

  // Zero until the first smart pointer takes the object (MakeComObject).
  std::atomic<ULONG> references_{0};
};

// The IDispatch part of an interface that is only ever called through its
// vtable: no type information, and late-bound calls are refused unless the
// class overrides Invoke.
template <class Interface>
class DispatchWithoutTypeInfo : public Interface {
 public:
  using ComInterface = Interface;

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
};

// Creates a COM object and hands its first reference to a smart pointer.
// (MinGW's ComPtr::Attach adds a reference, unlike Microsoft's, so the
// count starts at zero and the constructor of the pointer takes it to one.)
template <class Object, class... Args>
Microsoft::WRL::ComPtr<Object> MakeComObject(Args&&... args) {
  return Microsoft::WRL::ComPtr<Object>(new Object(std::forward<Args>(args)...));
}
