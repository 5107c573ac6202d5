#include "base/win32/AccessibleName.h"

#include <commctrl.h>
#include <oleacc.h>

#include <memory>

#include "base/win32/Boundary.h"
#include "base/win32/Handle.h"

namespace tessaly::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 0x7E55;

// The accessibility libraries are loaded when a client first asks, not at start-up:
// most runs never meet a screen reader, and every library loaded at start is time
// before the window shows.
struct AccessibilityLibrary {
  using CreateStd = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
  using Lresult = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  using AllocString = BSTR(WINAPI*)(const OLECHAR*);
  CreateStd createStdAccessibleObject = nullptr;
  Lresult lresultFromObject = nullptr;
  AllocString sysAllocString = nullptr;
  bool ok() const { return createStdAccessibleObject && lresultFromObject && sysAllocString; }
};

template <typename F>
F Function(HMODULE module, const char* name) {
  return module != nullptr ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name)))
                           : nullptr;
}

const AccessibilityLibrary& Library() {
  static const AccessibilityLibrary library = [] {
    AccessibilityLibrary loaded;
    const HMODULE oleacc = ::LoadLibraryA("oleacc.dll");
    const HMODULE oleaut = ::LoadLibraryA("oleaut32.dll");
    loaded.createStdAccessibleObject =
        Function<AccessibilityLibrary::CreateStd>(oleacc, "CreateStdAccessibleObject");
    loaded.lresultFromObject = Function<AccessibilityLibrary::Lresult>(oleacc, "LresultFromObject");
    loaded.sysAllocString = Function<AccessibilityLibrary::AllocString>(oleaut, "SysAllocString");
    return loaded;
  }();
  return library;
}

std::wstring Wide(const std::string& text) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(length > 0 ? static_cast<std::size_t>(length) : 1, L'\0');
  if (length > 0) ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(wide.size() - 1);
  return wide;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The system's accessible object of a control, answering with our name. Buttons of a
// toolbar are answered here too, by their captions: not every system's object of a
// toolbar lists them. Everything else is the system object's.
class NamedAccessible : public IAccessible {
 public:
  NamedAccessible(ComPtr<IAccessible> inner, const std::wstring& name, HWND toolbar)
      : inner_(std::move(inner)), name_(name), toolbar_(toolbar) {}
  NamedAccessible(const NamedAccessible&) = delete;
  NamedAccessible& operator=(const NamedAccessible&) = delete;
  virtual ~NamedAccessible() = default;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    // The system object's other interfaces (the window, the children's enumeration).
    return inner_->QueryInterface(riid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return inner_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return inner_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return inner_->GetIDsOfNames(riid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument) override {
    return inner_->Invoke(id, riid, locale, flags, params, result, exception, argument);
  }

  // IAccessible: the name, and a toolbar's buttons.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return GuardComCall([&] {
      if (name == nullptr) return E_POINTER;
      if (IsSelf(child)) return Text(name_, name);
      if (const int button = Button(child); button >= 0) return Text(ButtonText(button), name);
      return inner_->get_accName(child, name);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (toolbar_ == nullptr) return inner_->get_accChildCount(count);
    if (count == nullptr) return E_POINTER;
    *count = static_cast<long>(::SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (Button(child) < 0) return inner_->get_accRole(child, role);
    if (role == nullptr) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_PUSHBUTTON;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const int button = Button(child);
    if (button < 0) return inner_->get_accState(child, state);
    if (state == nullptr) return E_POINTER;
    TBBUTTON info{};
    ::SendMessageW(toolbar_, TB_GETBUTTON, static_cast<WPARAM>(button), reinterpret_cast<LPARAM>(&info));
    state->vt = VT_I4;
    state->lVal = (info.fsState & TBSTATE_ENABLED) != 0 ? 0 : STATE_SYSTEM_UNAVAILABLE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** result) override {
    if (Button(child) < 0) return inner_->get_accChild(child, result);
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    return S_FALSE;  // a button is an element of the toolbar, not an object of its own
  }

  // IAccessible: the rest as the system object has it.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return inner_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return inner_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return inner_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return inner_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return inner_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return inner_->get_accKeyboardShortcut(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return inner_->get_accFocus(child); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return inner_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return inner_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return inner_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return inner_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return inner_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return inner_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return inner_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return inner_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return inner_->put_accValue(child, value);
  }

 private:
  static HRESULT Text(const std::wstring& text, BSTR* result) {
    *result = Library().sysAllocString(text.c_str());
    return *result != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  // The toolbar button a child number names (0 for the first), or -1.
  int Button(const VARIANT& child) const {
    if (toolbar_ == nullptr || child.vt != VT_I4 || child.lVal <= 0) return -1;
    const auto count = static_cast<long>(::SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0));
    return child.lVal <= count ? static_cast<int>(child.lVal - 1) : -1;
  }
  std::wstring ButtonText(int button) const {
    TBBUTTON info{};
    ::SendMessageW(toolbar_, TB_GETBUTTON, static_cast<WPARAM>(button), reinterpret_cast<LPARAM>(&info));
    wchar_t text[128] = {};
    ::SendMessageW(toolbar_, TB_GETBUTTONTEXTW, static_cast<WPARAM>(info.idCommand),
                   reinterpret_cast<LPARAM>(text));
    return text;
  }

  LONG refs_ = 1;
  ComPtr<IAccessible> inner_;
  std::wstring name_;
  HWND toolbar_;
};

struct Naming {
  std::wstring name;
  bool toolbar = false;
};

LRESULT CALLBACK NamingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                            DWORD_PTR data) noexcept {
  auto* naming = reinterpret_cast<Naming*>(data);
  if (msg == WM_GETOBJECT && static_cast<LONG>(lp) == OBJID_CLIENT) {
    LRESULT result = 0;
    const bool answered = GuardBoundary([&] {
      const AccessibilityLibrary& library = Library();
      if (!library.ok()) return;
      ComPtr<IAccessible> inner;
      if (FAILED(library.createStdAccessibleObject(hwnd, OBJID_CLIENT, IID_IAccessible,
                                                   inner.put_void()))) {
        return;
      }
      auto* named = new NamedAccessible(std::move(inner), naming->name,
                                        naming->toolbar ? hwnd : nullptr);
      result = library.lresultFromObject(IID_IAccessible, wp, named);
      named->Release();
    });
    if (answered && result > 0) return result;
  } else if (msg == WM_NCDESTROY) {
    ::RemoveWindowSubclass(hwnd, &NamingProc, kSubclassId);
    delete naming;
  }
  return ::DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

void GiveAccessibleName(HWND control, const std::string& name) {
  if (control == nullptr) return;
  char className[64] = {};
  ::GetClassNameA(control, className, sizeof className);
  auto naming = std::make_unique<Naming>(Naming{Wide(name), lstrcmpiA(className, TOOLBARCLASSNAMEA) == 0});
  if (::SetWindowSubclass(control, &NamingProc, kSubclassId,
                          reinterpret_cast<DWORD_PTR>(naming.get()))) {
    naming.release();
  }
}

}  // namespace tessaly::win32
