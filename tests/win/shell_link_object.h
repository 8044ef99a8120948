#pragma once
// The shell's own link object, for tests that make or read shortcuts the way the shell does.

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/wide.h"
#include "shell/com_ptr.h"

namespace corvane::testing {

struct shell_link {
    com_ptr<IShellLinkW> link;
    com_ptr<IPersistFile> file;

    shell_link() {
        IShellLinkW* raw_link = nullptr;
        EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                                  reinterpret_cast<void**>(&raw_link)));
        link.reset(raw_link);
        IPersistFile* raw_file = nullptr;
        EXPECT_HRESULT_SUCCEEDED(link.get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&raw_file)));
        file.reset(raw_file);
    }
    std::string path() const {
        std::vector<wchar_t> buffer(32768);
        link.get()->GetPath(buffer.data(), static_cast<int>(buffer.size()), nullptr, 0);
        return from_wide(buffer.data());
    }
    std::string description() const {
        std::vector<wchar_t> buffer(32768);
        link.get()->GetDescription(buffer.data(), static_cast<int>(buffer.size()));
        return from_wide(buffer.data());
    }
    std::pair<std::string, int> icon() const {
        std::vector<wchar_t> buffer(32768);
        int index = -1;
        link.get()->GetIconLocation(buffer.data(), static_cast<int>(buffer.size()), &index);
        return {from_wide(buffer.data()), index};
    }
};

}  // namespace corvane::testing
