// The stand-in desktop's shell side: one object plays ShellWindows, the desktop's browser,
// its active view and that view's folder, with the view's items and places being those of
// the stand-in's list view. It lives as long as the process, so counting references is moot.

#include "win/fake_desktop_view.h"

#include <exdisp.h>
#include <servprov.h>
#include <shlguid.h>
#include <shlobj.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#define NOT_HERE(method) \
    HRESULT STDMETHODCALLTYPE method override { return E_NOTIMPL; }

namespace {

class desktop_shell final : public IClassFactory,
                            public IShellWindows,
                            public IServiceProvider,
                            public IShellBrowser,
                            public IShellView,
                            public IFolderView,
                            public IShellFolder {
public:
    HWND list_view = nullptr;
    HWND desktop = nullptr;
    LRESULT calls = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (id == IID_IUnknown || id == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
        } else if (id == IID_IDispatch || id == IID_IShellWindows) {
            *out = static_cast<IShellWindows*>(this);
        } else if (id == IID_IServiceProvider) {
            *out = static_cast<IServiceProvider*>(this);
        } else if (id == IID_IShellBrowser) {
            *out = static_cast<IShellBrowser*>(this);
        } else if (id == IID_IShellView) {
            *out = static_cast<IShellView*>(this);
        } else if (id == IID_IFolderView) {
            *out = static_cast<IFolderView*>(this);
        } else if (id == IID_IShellFolder) {
            *out = static_cast<IShellFolder*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** out) override {
        if (outer) return CLASS_E_NOAGGREGATION;
        return QueryInterface(id, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE FindWindowSW(VARIANT*, VARIANT*, int kind, LONG* window, int,
                                           IDispatch** found) override {
        *found = nullptr;
        if (kind != SWC_DESKTOP) return S_FALSE;
        *window = static_cast<LONG>(reinterpret_cast<LONG_PTR>(desktop));
        *found = static_cast<IShellWindows*>(this);
        return S_OK;
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

    // An item is its list view index behind the ID list's length.
    HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, IBindCtx*, LPWSTR name, ULONG* eaten, PIDLIST_RELATIVE* item,
                                               ULONG* attributes) override {
        *item = nullptr;
        const int total = static_cast<int>(SendMessageW(list_view, LVM_GETITEMCOUNT, 0, 0));
        for (int index = 0; index < total; ++index) {
            wchar_t label[256]{};
            LVITEMW request{};
            request.pszText = label;
            request.cchTextMax = 255;
            SendMessageW(list_view, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&request));
            if (std::wstring(label) + L".lnk" != name) continue;
            auto* bytes = static_cast<BYTE*>(CoTaskMemAlloc(8));
            const USHORT size = 6;
            std::memcpy(bytes, &size, 2);
            std::memcpy(bytes + 2, &index, 4);
            std::memset(bytes + 6, 0, 2);
            *item = reinterpret_cast<PIDLIST_RELATIVE>(bytes);
            if (eaten) *eaten = static_cast<ULONG>(wcslen(name));
            if (attributes) *attributes = 0;
            return S_OK;
        }
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    }
    HRESULT STDMETHODCALLTYPE GetItemPosition(PCUITEMID_CHILD item, POINT* point) override {
        ++calls;
        return SendMessageW(list_view, LVM_GETITEMPOSITION, index_of(item), reinterpret_cast<LPARAM>(point))
                   ? S_OK
                   : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE SelectAndPositionItems(UINT count, PCUITEMID_CHILD_ARRAY items, POINT* points,
                                                     DWORD flags) override {
        if (!(flags & SVSI_POSITIONITEM)) return E_INVALIDARG;
        ++calls;
        for (UINT i = 0; i < count; ++i)
            SendMessageW(list_view, LVM_SETITEMPOSITION, index_of(items[i]), MAKELPARAM(points[i].x, points[i].y));
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

private:
    static WPARAM index_of(PCUITEMID_CHILD item) {
        int index = -1;
        if (item && item->mkid.cb == 6) std::memcpy(&index, item->mkid.abID, 4);
        return static_cast<WPARAM>(index);
    }
};

desktop_shell shell;

}  // namespace

void serve_desktop_view(HWND desktop, HWND list_view) {
    shell.desktop = desktop;
    shell.list_view = list_view;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    DWORD cookie = 0;
    CoRegisterClassObject(corvane::testing::stand_in_shell_windows, static_cast<IClassFactory*>(&shell),
                          CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie);
}

LRESULT desktop_view_calls() { return shell.calls; }
