#include "ui/accessible_name.h"

#include <commctrl.h>
#include <oleacc.h>

#include <memory>
#include <utility>

#include "base/com_object.h"
#include "base/exception_guard.h"
#include "ui/controls.h"

namespace {

using Microsoft::WRL::ComPtr;

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT AnswerText(const std::wstring& text, BSTR* answer) {
  if (answer == nullptr) return E_POINTER;
  *answer = SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()));
  return *answer != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Windows' own description of the control, with the role, the name and the
// default action of the description given; the control's items, if it has
// any, are Windows' own throughout.
class CorrectedAccessible final : public ComObject<IAccessible> {
 public:
  CorrectedAccessible(ComPtr<IAccessible> standard, AccessibleDescription description)
      : standard_(std::move(standard)), description_(std::move(description)) {}

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return standard_->get_accName(child, name);
    return AnswerText(description_.name, name);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child) || description_.role == 0) return standard_->get_accRole(child, role);
    if (role == nullptr) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = description_.role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT result = standard_->get_accState(child, state);
    if (SUCCEEDED(result) && IsSelf(child) && state->vt == VT_I4 &&
        description_.role == ROLE_SYSTEM_LINK) {
      state->lVal |= STATE_SYSTEM_LINKED;
    }
    return result;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!IsSelf(child) || description_.defaultAction.empty())
      return standard_->get_accDefaultAction(child, action);
    return AnswerText(description_.defaultAction, action);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child) || !description_.doDefaultAction)
      return standard_->accDoDefaultAction(child);
    description_.doDefaultAction();
    return S_OK;
  }

  // The rest is Windows' own description.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override {
    return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, argumentError);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ComPtr<IAccessible> standard_;
  AccessibleDescription description_;
};

// The name lives as long as the control.
LRESULT CALLBACK NamedControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR nameData) {
  const auto* name = reinterpret_cast<const std::wstring*>(nameData);
  if (message == WM_GETOBJECT) {
    return CallGuarded(LRESULT{0}, [&] {
      return AnswerGetObject(window, wParam, lParam, {0, *name, {}, {}});
    });
  }
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, NamedControlProc, 0);
    delete name;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

std::wstring WithoutMnemonics(std::wstring text) {
  std::erase(text, L'&');
  return text;
}

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam,
                        const AccessibleDescription& description) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT)
    return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
  ComPtr<IAccessible> standard;
  if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, IID_IAccessible,
                                       reinterpret_cast<void**>(standard.GetAddressOf())))) {
    return 0;
  }
  ComPtr<IAccessible> corrected = MakeComObject<CorrectedAccessible>(standard, description);
  return LresultFromObject(IID_IAccessible, wParam, corrected.Get());
}

void NameAfterLabel(HWND control, HWND label) {
  auto name = std::make_unique<std::wstring>(WithoutMnemonics(WindowText(label)));
  if (SetWindowSubclass(control, NamedControlProc, 0, reinterpret_cast<DWORD_PTR>(name.get())))
    name.release();
}
