// The tray's popup menu, read in our own process: Wine cannot read another process's menu.

#include <gtest/gtest.h>

#include "base/wide.h"
#include "ui/frmMain.h"

namespace corvane {
namespace {

TEST(PopupMenu, HoldsTheThreeCommandsWithEditingTheListAsDefault) {
    const unique_menu menu = build_popup_menu();
    ASSERT_EQ(GetMenuItemCount(menu.get()), 3);
    const char* const captions[] = {"&edit banned folders list", "&set max number of corvane", "&exit"};
    for (UINT position = 0; position < 3; ++position) {
        wchar_t text[64]{};
        GetMenuStringW(menu.get(), position, text, 64, MF_BYPOSITION);
        EXPECT_EQ(from_wide(text), captions[position]);
        EXPECT_EQ(GetMenuItemID(menu.get(), static_cast<int>(position)), mnuPopUpShowForm + position);
        EXPECT_EQ(GetMenuState(menu.get(), position, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED), 0u);
    }
    EXPECT_EQ(GetMenuDefaultItem(menu.get(), FALSE, 0), static_cast<UINT>(mnuPopUpShowForm));
}

}  // namespace
}  // namespace corvane
