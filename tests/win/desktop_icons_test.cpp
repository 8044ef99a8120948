// The desktop list view across processes, against the stand-in desktop (fake_desktop.cpp);
// the shell's desktop view against a stand-in in this process; the crash filter against
// crash_probe.cpp.

#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shlguid.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "base/wide.h"
#include "shell/desktop_icons.h"
#include "temp_folder.h"
#include "win/fake_desktop_process.h"

#define NOT_HERE(method) \
    HRESULT STDMETHODCALLTYPE method override { return E_NOTIMPL; }

namespace corvane {
namespace {

using testing::fake_desktop;

void expect_no_buffers() {
    const list_view_access& access = list_view_state();
    for (const shared_buffer* buffer : {&access.shared_item, &access.shared_text, &access.shared_point}) {
        EXPECT_EQ(buffer->address, 0u);
        EXPECT_EQ(buffer->handle, 0u);
    }
}

// The first steps of every access.
list_view_info open_and_attach(window_handle window) {
    list_view_info info;
    info.window = window;
    open_shared_buffers(window);
    EXPECT_TRUE(attach_list_view(info));
    return info;
}

TEST(DesktopListView, ReadsLabelsPlacesAndColumnsAcrossProcessesOfListViewsOnly) {
    {
        const fake_desktop desktop("\"Projects Documents=40,60\" \"Gr\u00FC\u00DFe=200,60\" Third=300,400");
        const list_view_info info = open_and_attach(desktop.list_view());
        EXPECT_EQ(list_view_state().owner_process_id, desktop.process_id());
        EXPECT_TRUE(list_view_state().owner_is_64_bit);
        EXPECT_EQ(info.class_name, "SysListView32");
        EXPECT_EQ(info.view_style, 0);
        EXPECT_EQ(info.item_total, 3);
        EXPECT_EQ(info.column_total, 1);  // an icon view has no header columns, and counts one
        EXPECT_EQ(get_item_text(2, 1), "Gr\u00FC\u00DFe");
        EXPECT_EQ(get_item_position(3), (icon_point{300, 400}));
        EXPECT_EQ(get_item_text(4, 1), "");
        EXPECT_EQ(get_item_position(4), icon_point{});
        close_shared_buffers();
        expect_no_buffers();
        EXPECT_EQ(get_item_text(1, 1), "");  // still attached, but with no buffers every read is empty
    }
    const fake_desktop report("--report Alpha=0,0 Beta=0,0");
    const list_view_info info = open_and_attach(report.list_view());
    EXPECT_EQ(info.view_style, 1);
    EXPECT_EQ(info.column_names, (std::vector<std::string>{"Name", "Size"}));
    EXPECT_EQ(info.column_widths, (std::vector<std::int32_t>{150, 80}));
    EXPECT_EQ(get_column_text(3), "");
    EXPECT_EQ(get_item_text(2, 2), "Beta size");
    close_shared_buffers();

    const HWND button = CreateWindowExW(0, L"BUTTON", L"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    list_view_info other;
    other.window = reinterpret_cast<window_handle>(button);
    EXPECT_FALSE(attach_list_view(other));
    EXPECT_EQ(other.window, 0u);
    EXPECT_EQ(list_view_state().list_view_window, 0u);
    DestroyWindow(button);
}

TEST(DesktopIconPosition, FindsTheFirstExactLabelAndMovesItWhereverTheViewSits) {
    {
        const fake_desktop desktop("\"Projects Documents=40,60\" Other=200,60 \"Projects Documents=500,500\"");
        EXPECT_EQ(get_desktop_icon_position("Projects Documents.lnk"), (icon_point{40, 60}));
        EXPECT_EQ(get_desktop_icon_position("Projects Documents"), icon_point{});
        set_desktop_icon_position("Projects Documents.lnk", {120, 300});
        set_desktop_icon_position("other.lnk", {1, 1});
        EXPECT_EQ(desktop.position(0), (icon_point{120, 300}));
        EXPECT_EQ(desktop.position(1), (icon_point{200, 60}));
        EXPECT_EQ(desktop.position(2), (icon_point{500, 500}));
        expect_no_buffers();
    }
    const struct {
        const char* items;
        const char* name;
        int index;
    } views[] = {{"--workerw Moved=10,20", "Moved.lnk", 0}, {"Other=1,1 \"\u6771\u4EAC C=10,20\"", "\u6771\u4EAC C.lnk", 1}};
    for (const auto& v : views) {
        const fake_desktop desktop(v.items);
        EXPECT_EQ(get_desktop_icon_position(v.name), (icon_point{10, 20})) << v.name;
        set_desktop_icon_position(v.name, {30, 40});
        EXPECT_EQ(desktop.position(v.index), (icon_point{30, 40})) << v.name;
    }
}

// Plays ShellWindows, the desktop's browser, its active view and that view's folder, over a
// table of labels and places. It lives as long as the process: reference counts are moot.
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

// Wine's own desktop view answers E_NOTIMPL, so every other test here goes to the list view.
TEST(DesktopIconPosition, ReadsAndMovesThroughTheShellsDesktopViewWhereItAnswers) {
    static desktop_view_stand_in view;
    view.items = {{L"Alpha.lnk", {40, 60}}, {L"Beta.lnk", {200, 60}}};
    DWORD cookie = 0;
    // A class registered in this process comes before the shell's.
    ASSERT_HRESULT_SUCCEEDED(CoRegisterClassObject(CLSID_ShellWindows, static_cast<IClassFactory*>(&view),
                                                   CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
    const fake_desktop desktop("Alpha=1,1");
    EXPECT_EQ(get_desktop_icon_position("Beta.lnk"), (icon_point{200, 60}));
    set_desktop_icon_position("Alpha.lnk", {120, 300});
    EXPECT_EQ(view.items[0].second.x, 120);
    EXPECT_EQ(view.items[0].second.y, 300);
    EXPECT_EQ(desktop.position(0), (icon_point{1, 1}));
    EXPECT_EQ(view.calls, 2);
    // A name the view does not know goes to the list view.
    EXPECT_EQ(get_desktop_icon_position("Gamma.lnk"), icon_point{});
    EXPECT_EQ(view.calls, 2);
    CoRevokeClassObject(cookie);
}

TEST(DesktopIconPosition, WithoutADesktopNothingIsFoundOrMovedAndNothingLeaks) {
    EXPECT_EQ(get_desktop_icon_position("Any.lnk"), icon_point{});
    {
        // Some other program's top-level list view is not the desktop.
        const fake_desktop stray("--stray Stray=30,40");
        EXPECT_EQ(get_desktop_icon_position("Stray.lnk"), icon_point{});
        set_desktop_icon_position("Stray.lnk", {300, 300});
        EXPECT_EQ(stray.position(0), (icon_point{30, 40}));
        expect_no_buffers();
    }
    // The shell's desktop view stood in for here, knowing no name, so that every access goes
    // on to the list view: so many calls into Wine's explorer can deadlock it.
    static desktop_view_stand_in nobody;
    DWORD cookie = 0;
    ASSERT_HRESULT_SUCCEEDED(CoRegisterClassObject(CLSID_ShellWindows, static_cast<IClassFactory*>(&nobody),
                                                   CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
    const fake_desktop desktop("A=10,10 B=20,20 C=30,30");
    // The first accesses settle the desktop's own heap.
    get_desktop_icon_position("C.lnk");
    set_desktop_icon_position("C.lnk", {30, 30});
    const std::size_t before = desktop.committed_bytes();
    for (int i = 0; i < 100; ++i) {
        get_desktop_icon_position("C.lnk");
        set_desktop_icon_position("C.lnk", {30 + i % 2, 30});
    }
    // A leak would hold three pages for each of the 200 accesses.
    EXPECT_LT(desktop.committed_bytes(), before + 1024 * 1024) << before;
    expect_no_buffers();
    CoRevokeClassObject(cookie);
}

// The probe's fault, the message box it shows, and the buffers it released before.
TEST(FatalErrorFilter, ReleasesTheBuffersThenReportsTheFaultByItsCode) {
    const struct {
        const char* fault;  // "closed": an access violation with no buffers open
        DWORD code;
        const char* message;
    } cases[] = {
        {"access", 0xC0000005, "General Protection Fault (Access Violation)"},
        {"divide", 0xC0000094, "General Protection Fault, Error code hC0000094"},
        {"closed", 0xC0000005, "General Protection Fault (Access Violation)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        const fake_desktop desktop("A=10,10");
        const std::size_t before = desktop.committed_bytes();
        const testing::temp_folder folder;
        const std::string report = folder.file("buffers.txt");
        const testing::child_process probe = testing::start(
            "crash_probe.exe", std::to_string(desktop.list_view()) + " " + c.fault + " \"" + report + "\"");
        HWND box = nullptr;
        std::string text;
        // The dialog exists a moment before its texts do.
        ASSERT_TRUE(testing::wait_for([&] {
            box = testing::window_of_process(L"#32770", probe.id);
            text = box ? testing::longest_text(box) : "";
            return !text.empty();
        }));
        EXPECT_EQ(testing::window_text(box), "Vi Zozava");
        EXPECT_EQ(text, "FATAL error => " + std::string(c.message) + "\n\nProgram will terminate");
        std::uintptr_t item = 0, text_buffer = 0, point = 0;
        std::ifstream{std::filesystem::path(to_wide(report))} >> item >> text_buffer >> point;
        EXPECT_EQ(item != 0 && point != 0, std::string(c.fault) != "closed");
        for (const std::uintptr_t address : {item, text_buffer, point})
            EXPECT_FALSE(address && desktop.is_allocated(address)) << address;

        PostMessageW(box, WM_COMMAND, IDOK, 0);
        ASSERT_EQ(WaitForSingleObject(probe.process.get(), 30000), WAIT_OBJECT_0);
        DWORD exit_code = 0;
        GetExitCodeProcess(probe.process.get(), &exit_code);
        EXPECT_EQ(exit_code, c.code);
        EXPECT_LT(desktop.committed_bytes(), before + 64 * 1024);
    }
}

}  // namespace
}  // namespace corvane
