#include "standins/common/com_server.h"

#include <string>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

class ClassFactory : public ComObject<IClassFactory> {
 public:
  explicit ClassFactory(CreateObjectFunction create) : create_(create) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return create_(iid, object);
  }

  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  CreateObjectFunction create_;
};

std::wstring ClassKey(const CLSID& clsid) {
  wchar_t text[39];
  StringFromGUID2(clsid, text, 39);
  return std::wstring(L"CLSID\\") + text;
}

LSTATUS SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LSTATUS WriteKey(const std::wstring& path, const std::wstring& defaultValue, const wchar_t* name = nullptr,
                 const std::wstring& value = {}) {
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return status;
  status = SetString(key, nullptr, defaultValue);
  if (status == ERROR_SUCCESS && name != nullptr) status = SetString(key, name, value);
  RegCloseKey(key);
  return status;
}

std::wstring ThisModulePath() {
  wchar_t path[MAX_PATH];
  const DWORD length =
      GetModuleFileNameW(reinterpret_cast<HMODULE>(&__ImageBase), path, static_cast<DWORD>(std::size(path)));
  return std::wstring(path, length);
}

}  // namespace

HRESULT GetClassObject(CreateObjectFunction create, REFIID iid, void** object) {
  return CreateAndQuery<ClassFactory>(iid, object, create);
}

HRESULT RegisterInprocServer(const CLSID& clsid, const wchar_t* description) {
  const std::wstring key = ClassKey(clsid);
  LSTATUS status = WriteKey(key, description);
  if (status == ERROR_SUCCESS)
    status = WriteKey(key + L"\\InprocServer32", ThisModulePath(), L"ThreadingModel", L"Both");
  return HRESULT_FROM_WIN32(status);
}

HRESULT UnregisterInprocServer(const CLSID& clsid) {
  const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, ClassKey(clsid).c_str());
  return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}
