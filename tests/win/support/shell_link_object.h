#pragma once
// The shell's own link object, for tests that make or read shortcuts the way the shell does.

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "base/wide.h"
#include "shell/com_ptr.h"

namespace corvane::testing {

struct shell_link {
    com_ptr<IShellLinkW> link;
    com_ptr<IPersistFile> file;
    mutable wchar_t buffer[32768]{};

    shell_link() {
        void* raw = nullptr;
        EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, &raw));
        link.reset(static_cast<IShellLinkW*>(raw));
        EXPECT_HRESULT_SUCCEEDED(link.get()->QueryInterface(IID_IPersistFile, &raw));
        file.reset(static_cast<IPersistFile*>(raw));
    }
    std::string path() const {
        link.get()->GetPath(buffer, 32768, nullptr, 0);
        return from_wide(buffer);
    }
    std::string description() const {
        link.get()->GetDescription(buffer, 32768);
        return from_wide(buffer);
    }
    std::pair<std::string, int> icon() const {
        int index = -1;
        link.get()->GetIconLocation(buffer, 32768, &index);
        return {from_wide(buffer), index};
    }
};

}  // namespace corvane::testing
