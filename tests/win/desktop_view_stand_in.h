#pragma once
// Plays the shell's desktop view in this process: ShellWindows, the desktop's browser, its
// active view and that view's folder, over a table of labels and places. It lives as long as
// the process: reference counts are moot.
//
// The Windows tests register one that knows no name for their whole run, so that icon
// accesses go on to the stand-in desktop's list view without a call into Wine's explorer,
// which can deadlock when it gets many of them on a loaded machine. A test that wants the
// shell's own view, or a stand-in of its own, holds a shell_desktop_view while it runs.

#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shlguid.h>
#include <shlobj.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#define NOT_HERE(method) \
    HRESULT STDMETHODCALLTYPE method override { return E_NOTIMPL; }

namespace corvane::testing {

class desktop_view_stand_in final : public IClassFactory,
                                    public IShellWindows,
                                    public IServiceProvider,
                                    public IShellBrowser,
                                    public IShellView,
                                    public IFolderView,
                                    public IShellFolder {
public:
    std::vector<std::pair<std::wstring, POINT>> items;
    int calls = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        *out = nullptr;
        if (id == IID_IUnknown || id == IID_IClassFactory) *out = static_cast<IClassFactory*>(this);
        if (id == IID_IDispatch || id == IID_IShellWindows) *out = static_cast<IShellWindows*>(this);
        if (id == IID_IServiceProvider) *out = static_cast<IServiceProvider*>(this);
        if (id == IID_IShellBrowser) *out = static_cast<IShellBrowser*>(this);
        if (id == IID_IShellView) *out = static_cast<IShellView*>(this);
        if (id == IID_IFolderView) *out = static_cast<IFolderView*>(this);
        if (id == IID_IShellFolder) *out = static_cast<IShellFolder*>(this);
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID id, void** out) override { return QueryInterface(id, out); }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE FindWindowSW(VARIANT*, VARIANT*, int kind, LONG*, int, IDispatch** found) override {
        *found = kind == SWC_DESKTOP ? static_cast<IShellWindows*>(this) : nullptr;
        return *found ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID id, void** out) override {
        *out = nullptr;
        return service == SID_STopLevelBrowser ? QueryInterface(id, out) : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE QueryActiveShellView(IShellView** view) override {
        *view = this;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetFolder(REFIID id, void** out) override { return QueryInterface(id, out); }
    // An item is its index in the table behind the ID list's length.
    HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, IBindCtx*, LPWSTR name, ULONG*, PIDLIST_RELATIVE* item,
                                               ULONG*) override {
        *item = nullptr;
        for (std::size_t index = 0; index < items.size(); ++index) {
            if (items[index].first != name) continue;
            auto* bytes = static_cast<BYTE*>(CoTaskMemAlloc(8));
            const std::uint16_t sizes[] = {6, static_cast<std::uint16_t>(index), 0, 0};
            std::memcpy(bytes, sizes, 8);
            *item = reinterpret_cast<PIDLIST_RELATIVE>(bytes);
            return S_OK;
        }
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    }
    HRESULT STDMETHODCALLTYPE GetItemPosition(PCUITEMID_CHILD item, POINT* point) override {
        ++calls;
        *point = items.at(item->mkid.abID[0]).second;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SelectAndPositionItems(UINT count, PCUITEMID_CHILD_ARRAY chosen, POINT* points,
                                                     DWORD flags) override {
        if (count != 1 || !(flags & SVSI_POSITIONITEM)) return E_INVALIDARG;
        ++calls;
        items.at(chosen[0]->mkid.abID[0]).second = points[0];
        return S_OK;
    }

    NOT_HERE(GetTypeInfoCount(UINT*))
    NOT_HERE(GetTypeInfo(UINT, LCID, ITypeInfo**))
    NOT_HERE(GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*))
    NOT_HERE(Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*))
    NOT_HERE(get_Count(LONG*))
    NOT_HERE(Item(VARIANT, IDispatch**))
    NOT_HERE(_NewEnum(IUnknown**))
    NOT_HERE(Register(IDispatch*, LONG, int, LONG*))
    NOT_HERE(RegisterPending(LONG, VARIANT*, VARIANT*, int, LONG*))
    NOT_HERE(Revoke(LONG))
    NOT_HERE(OnNavigate(LONG, VARIANT*))
    NOT_HERE(OnActivated(LONG, VARIANT_BOOL))
    NOT_HERE(OnCreated(LONG, IUnknown*))
    NOT_HERE(ProcessAttachDetach(VARIANT_BOOL))
    NOT_HERE(GetWindow(HWND*))
    NOT_HERE(ContextSensitiveHelp(BOOL))
    NOT_HERE(InsertMenusSB(HMENU, LPOLEMENUGROUPWIDTHS))
    NOT_HERE(SetMenuSB(HMENU, HOLEMENU, HWND))
    NOT_HERE(RemoveMenusSB(HMENU))
    NOT_HERE(SetStatusTextSB(LPCWSTR))
    NOT_HERE(EnableModelessSB(BOOL))
    NOT_HERE(TranslateAcceleratorSB(MSG*, WORD))
    NOT_HERE(BrowseObject(PCUIDLIST_RELATIVE, UINT))
    NOT_HERE(GetViewStateStream(DWORD, IStream**))
    NOT_HERE(GetControlWindow(UINT, HWND*))
    NOT_HERE(SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT*))
    NOT_HERE(OnViewWindowActive(IShellView*))
    NOT_HERE(SetToolbarItems(LPTBBUTTONSB, UINT, UINT))
    NOT_HERE(TranslateAccelerator(MSG*))
    NOT_HERE(EnableModeless(BOOL))
    NOT_HERE(UIActivate(UINT))
    NOT_HERE(Refresh())
    NOT_HERE(CreateViewWindow(IShellView*, LPCFOLDERSETTINGS, IShellBrowser*, RECT*, HWND*))
    NOT_HERE(DestroyViewWindow())
    NOT_HERE(GetCurrentInfo(LPFOLDERSETTINGS))
    NOT_HERE(AddPropertySheetPages(DWORD, LPFNSVADDPROPSHEETPAGE, LPARAM))
    NOT_HERE(SaveViewState())
    NOT_HERE(SelectItem(PCUITEMID_CHILD, SVSIF))
    NOT_HERE(GetItemObject(UINT, REFIID, void**))
    NOT_HERE(GetCurrentViewMode(UINT*))
    NOT_HERE(SetCurrentViewMode(UINT))
    NOT_HERE(Item(int, PITEMID_CHILD*))
    NOT_HERE(ItemCount(UINT, int*))
    NOT_HERE(Items(UINT, REFIID, void**))
    NOT_HERE(GetSelectionMarkedItem(int*))
    NOT_HERE(GetFocusedItem(int*))
    NOT_HERE(GetSpacing(POINT*))
    NOT_HERE(GetDefaultSpacing(POINT*))
    NOT_HERE(GetAutoArrange())
    NOT_HERE(SelectItem(int, DWORD))
    NOT_HERE(EnumObjects(HWND, SHCONTF, IEnumIDList**))
    NOT_HERE(BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**))
    NOT_HERE(BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**))
    NOT_HERE(CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE))
    NOT_HERE(CreateViewObject(HWND, REFIID, void**))
    NOT_HERE(GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*))
    NOT_HERE(GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*, void**))
    NOT_HERE(GetDisplayNameOf(PCUITEMID_CHILD, SHGDNF, STRRET*))
    NOT_HERE(SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD*))
};


#undef NOT_HERE

// This process's ShellWindows while it lives.
class desktop_view_registration {
public:
    explicit desktop_view_registration(desktop_view_stand_in& view) {
        CoRegisterClassObject(CLSID_ShellWindows, static_cast<IClassFactory*>(&view), CLSCTX_INPROC_SERVER,
                              REGCLS_MULTIPLEUSE, &cookie_);
    }
    ~desktop_view_registration() { CoRevokeClassObject(cookie_); }
    desktop_view_registration(const desktop_view_registration&) = delete;
    desktop_view_registration& operator=(const desktop_view_registration&) = delete;

private:
    DWORD cookie_ = 0;
};

// Takes the run's stand-in away while it lives: the shell's own view answers again.
class shell_desktop_view {
public:
    shell_desktop_view();
    ~shell_desktop_view();
    shell_desktop_view(const shell_desktop_view&) = delete;
    shell_desktop_view& operator=(const shell_desktop_view&) = delete;
};

}  // namespace corvane::testing
