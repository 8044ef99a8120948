#pragma once
// Plays the shell's desktop view in this process: ShellWindows, the desktop's browser, its
// active view and that view's folder, over a table of labels and places. It lives as long as
// the process: reference counts are moot.
//
// It is registered in the multithreaded apartment, where the program calls the shell from
// threads of its own. The Windows tests register one that knows no name for their whole run, so that icon
// accesses go on to the stand-in desktop's list view without a call into Wine's explorer,
// which can deadlock when it gets many of them on a loaded machine. A test that wants the
// shell's own view, or a stand-in of its own, holds a shell_desktop_view while it runs.
//
// Each interface is a bare method table holding only what the program calls; one function
// answers E_NOTIMPL for every other slot, whatever its parameters, as x64's one calling
// convention, in which the caller cleans the stack, allows.

#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shlguid.h>
#include <shlobj.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace corvane::testing {

class desktop_view_stand_in {
public:
    std::vector<std::pair<std::wstring, POINT>> items;
    std::atomic<int> calls = 0;       // items read or placed
    std::atomic<int> asked = 0;       // searches for the desktop's window
    DWORD block = 0;                  // milliseconds each search takes, as a shell stuck in a call

private:
    friend class desktop_view_registration;
    static_assert(sizeof(void*) == 8, "one E_NOTIMPL for every slot needs x64");
    using slot = void (*)();  // GCC casts any function pointer to this one without a warning
    template <typename Function> static slot as_slot(Function* function) { return reinterpret_cast<slot>(function); }

    // What a COM caller sees: the table's address first. Eighteen slots fit the longest here.
    struct object {
        const slot* methods = table;
        desktop_view_stand_in* owner;
        slot table[18];
        object(desktop_view_stand_in* view, std::initializer_list<std::pair<int, slot>> filled) : owner(view) {
            for (slot& method : table) method = as_slot(&not_here);
            table[0] = as_slot(&query_interface);
            table[1] = table[2] = as_slot(&counted);  // AddRef, Release
            for (const auto& [index, method] : filled) table[index] = method;
        }
        object(const object&) = delete;  // nor does the stand-in copy: its objects point at it and at themselves
    };
    object factory_{this, {{3, as_slot(&create_instance)}, {4, as_slot(&lock_server)}}};  // CreateInstance, LockServer
    object windows_{this, {{15, as_slot(&find_window)}}};        // IShellWindows::FindWindowSW
    object services_{this, {{3, as_slot(&query_service)}}};      // IServiceProvider::QueryService
    object browser_{this, {{15, as_slot(&active_view)}}};        // IShellBrowser::QueryActiveShellView
    // IFolderView's GetFolder, which takes what QueryInterface takes, GetItemPosition, SelectAndPositionItems.
    object folder_view_{this, {{5, as_slot(&query_interface)}, {11, as_slot(&item_position)}, {16, as_slot(&place)}}};
    object folder_{this, {{3, as_slot(&parse_display_name)}}};   // IShellFolder::ParseDisplayName

    static HRESULT not_here() { return E_NOTIMPL; }
    static ULONG counted(object*) { return 1; }
    static HRESULT query_interface(object* self, REFIID id, void** out) {
        desktop_view_stand_in& view = *self->owner;
        object* found = nullptr;
        if (id == IID_IUnknown || id == IID_IClassFactory) found = &view.factory_;
        if (id == IID_IDispatch || id == IID_IShellWindows) found = &view.windows_;
        if (id == IID_IServiceProvider) found = &view.services_;
        if (id == IID_IShellBrowser) found = &view.browser_;
        // The program asks the shell view only for its folder view.
        if (id == IID_IShellView || id == IID_IFolderView) found = &view.folder_view_;
        if (id == IID_IShellFolder) found = &view.folder_;
        *out = found;
        return found ? S_OK : E_NOINTERFACE;
    }
    static HRESULT create_instance(object* self, IUnknown*, REFIID id, void** out) {
        return query_interface(self, id, out);
    }
    static HRESULT lock_server(object*, BOOL) { return S_OK; }
    static HRESULT find_window(object* self, VARIANT*, VARIANT*, int kind, LONG*, int, void** found) {
        ++self->owner->asked;
        Sleep(self->owner->block);
        *found = kind == SWC_DESKTOP ? self : nullptr;
        return *found ? S_OK : S_FALSE;
    }
    static HRESULT query_service(object* self, REFGUID service, REFIID id, void** out) {
        *out = nullptr;
        return service == SID_STopLevelBrowser ? query_interface(self, id, out) : E_NOINTERFACE;
    }
    static HRESULT active_view(object* self, void** view) { return query_interface(self, IID_IShellView, view); }
    // An item is its index in the table behind the ID list's length.
    static HRESULT parse_display_name(object* self, HWND, IBindCtx*, LPWSTR name, ULONG*, PIDLIST_RELATIVE* item,
                                      ULONG*) {
        *item = nullptr;
        const auto& items = self->owner->items;
        for (std::size_t index = 0; index < items.size(); ++index) {
            if (items[index].first != name) continue;
            auto* sizes = static_cast<USHORT*>(CoTaskMemAlloc(8));
            sizes[0] = 6, sizes[1] = static_cast<USHORT>(index), sizes[2] = sizes[3] = 0;
            *item = reinterpret_cast<PIDLIST_RELATIVE>(sizes);
            return S_OK;
        }
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    }
    static HRESULT item_position(object* self, PCUITEMID_CHILD item, POINT* point) {
        ++self->owner->calls;
        *point = self->owner->items.at(item->mkid.abID[0]).second;
        return S_OK;
    }
    static HRESULT place(object* self, UINT count, PCUITEMID_CHILD_ARRAY chosen, POINT* points, DWORD flags) {
        if (count != 1 || !(flags & SVSI_POSITIONITEM)) return E_INVALIDARG;
        ++self->owner->calls;
        self->owner->items.at(chosen[0]->mkid.abID[0]).second = points[0];
        return S_OK;
    }
};

// This process's ShellWindows while it lives.
class desktop_view_registration {
public:
    explicit desktop_view_registration(desktop_view_stand_in& view) {
        const auto factory = reinterpret_cast<IClassFactory*>(&view.factory_);
        in_the_mta([&] {
            CoRegisterClassObject(CLSID_ShellWindows, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
        });
    }
    ~desktop_view_registration() {
        in_the_mta([&] { CoRevokeClassObject(cookie_); });
    }
    desktop_view_registration(const desktop_view_registration&) = delete;
    desktop_view_registration& operator=(const desktop_view_registration&) = delete;

private:
    // On a thread of its own, which the apartment, kept for the run, takes in.
    template <typename Call>
    static void in_the_mta(const Call& call) {
        static const bool kept = [] {
            CO_MTA_USAGE_COOKIE cookie{};
            return SUCCEEDED(CoIncrementMTAUsage(&cookie));
        }();
        (void)kept;
        std::thread(call).join();
    }
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
