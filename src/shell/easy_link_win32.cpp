// Shortcuts through the shell's own link object.

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <optional>
#include <vector>

#include "base/brief_locks_win32.h"
#include "base/error.h"
#include "base/wide.h"
#include "shell/com_ptr.h"
#include "shell/easy_link.h"

namespace corvane {
namespace {

[[noreturn]] void raise_hresult(const char* operation, const std::string& path, HRESULT result) {
    throw error(static_cast<int>(result), std::string(operation) + " \"" + path + "\" failed: 0x" + [result] {
        char hex[9];
        snprintf(hex, sizeof hex, "%08lX", static_cast<unsigned long>(result));
        return std::string(hex);
    }());
}

struct shell_link {
    com_ptr<IShellLinkW> link;
    com_ptr<IPersistFile> file;
};

shell_link create_link_object(const std::string& path) {
    shell_link object;
    IShellLinkW* link = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      reinterpret_cast<void**>(&link));
    if (FAILED(result)) raise_hresult("Creating the shell link object for", path, result);
    object.link.reset(link);
    IPersistFile* file = nullptr;
    result = object.link.get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (FAILED(result)) raise_hresult("Opening", path, result);
    object.file.reset(file);
    return object;
}

// Nothing when the path names no file or the file is not a shortcut.
std::optional<shell_link> load_link(const std::string& path, DWORD mode) {
    shell_link object = create_link_object(path);
    const DWORD attributes = GetFileAttributesW(to_wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    const std::wstring wide = to_wide(path);
    const HRESULT loaded = retry_brief_locks([&] { return object.file.get()->Load(wide.c_str(), mode); }, [](HRESULT result) {
        return result == HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION) || result == HRESULT_FROM_WIN32(ERROR_LOCK_VIOLATION) ||
               result == STG_E_SHAREVIOLATION || result == STG_E_LOCKVIOLATION;
    });
    if (FAILED(loaded)) return std::nullopt;
    return object;
}

shell_link load_existing_link(const std::string& path) {
    std::optional<shell_link> object = load_link(path, STGM_READWRITE);
    if (!object) throw error(error_number::invalid_file_format, "Not a shortcut: \"" + path + "\"");
    return std::move(*object);
}

void save_link(const shell_link& object, const std::string& path) {
    const HRESULT result = object.file.get()->Save(nullptr, TRUE);
    if (FAILED(result)) raise_hresult("Saving", path, result);
}

// The shell's texts are at most a long path; leave room for any it may hold.
constexpr int text_capacity = 32768;

}  // namespace

std::string link_target_path(const std::string& path) {
    const std::optional<shell_link> object = load_link(path, STGM_READ);
    if (!object) return {};
    std::vector<wchar_t> buffer(text_capacity, L'\0');
    // The item list names the target in Unicode; the link's stored path may hold only what
    // the ANSI code page could (Wine's shell writes no other).
    PIDLIST_ABSOLUTE raw_items = nullptr;
    if (SUCCEEDED(object->link.get()->GetIDList(&raw_items))) {
        const co_task_memory<PIDLIST_ABSOLUTE> items(raw_items);
        if (items && SHGetPathFromIDListEx(items.get(), buffer.data(), text_capacity, GPFIDL_DEFAULT))
            return from_wide(buffer.data());
    }
    if (FAILED(object->link.get()->GetPath(buffer.data(), text_capacity, nullptr, 0))) return {};
    return from_wide(buffer.data());
}

std::string link_description(const std::string& path) {
    const std::optional<shell_link> object = load_link(path, STGM_READ);
    if (!object) return {};
    std::vector<wchar_t> buffer(text_capacity, L'\0');
    if (FAILED(object->link.get()->GetDescription(buffer.data(), text_capacity))) return {};
    return from_wide(buffer.data());
}

namespace {

void describe(const shell_link& object, const std::string& path, const std::string& description) {
    const HRESULT result = object.link.get()->SetDescription(to_wide(description).c_str());
    if (FAILED(result)) raise_hresult("Setting the description of", path, result);
}

void give_icon(const shell_link& object, const std::string& path, const std::string& icon_path, int icon_index) {
    const HRESULT result = object.link.get()->SetIconLocation(to_wide(icon_path).c_str(), icon_index);
    if (FAILED(result)) raise_hresult("Setting the icon of", path, result);
}

}  // namespace

void set_link_description(const std::string& path, const std::string& description) {
    const shell_link object = load_existing_link(path);
    describe(object, path, description);
    save_link(object, path);
}

void set_link_icon_location(const std::string& path, const std::string& icon_path, int icon_index) {
    const shell_link object = load_existing_link(path);
    give_icon(object, path, icon_path, icon_index);
    save_link(object, path);
}

void set_link_marks(const std::string& path, const std::string& description, const std::string& icon_path,
                    int icon_index) {
    const shell_link object = load_existing_link(path);
    describe(object, path, description);
    give_icon(object, path, icon_path, icon_index);
    save_link(object, path);
}

}  // namespace corvane
