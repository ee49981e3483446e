#pragma once

#include <windows.h>
#include <oleauto.h>

#include <new>

#include "base/com_object.h"

// What an in-process COM server needs around its objects: the class factory,
// the registry entries regsvr32 writes, the guard of method bodies and the
// pieces of late-bound (IDispatch) calls.

using CreateObjectFunction = HRESULT (*)(REFIID iid, void** object);

// Serves DllGetClassObject for the class whose objects `create` makes.
HRESULT GetClassObject(CreateObjectFunction create, REFIID iid, void** object);

// Writes CLSID\{clsid} with InprocServer32 pointing at this DLL, usable from
// any apartment.
HRESULT RegisterInprocServer(const CLSID& clsid, const wchar_t* description);
HRESULT UnregisterInprocServer(const CLSID& clsid);

// Runs the body of a COM method: no exception crosses the COM boundary, it
// becomes the HRESULT a caller expects.
template <class Action>
HRESULT Guarded(Action action) noexcept {
  try {
    return action();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

// A member a late-bound caller reaches by name.
struct LateBoundMember {
  const wchar_t* name;
  DISPID id;
};

// IDispatch::GetIDsOfNames over a table of members; names match in any
// letter case, as automation names do.
template <size_t count>
HRESULT LookUpMembers(const LateBoundMember (&members)[count], LPOLESTR* names, UINT nameCount, DISPID* ids) {
  if (names == nullptr || ids == nullptr) return E_POINTER;
  HRESULT result = S_OK;
  for (UINT i = 0; i < nameCount; ++i) {
    ids[i] = DISPID_UNKNOWN;
    for (const LateBoundMember& member : members) {
      if (lstrcmpiW(names[i], member.name) == 0) ids[i] = member.id;
    }
    if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
  }
  return result;
}

// The value of a VT_I4 result.
inline VARIANT LongVariant(long value) {
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = VT_I4;
  variant.lVal = value;
  return variant;
}

// Creates an object and hands out the asked interface.
template <class Object, class... Args>
HRESULT CreateAndQuery(REFIID iid, void** object, Args&&... args) noexcept {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  return Guarded([&] { return MakeComObject<Object>(std::forward<Args>(args)...)->QueryInterface(iid, object); });
}
