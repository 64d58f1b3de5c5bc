// Popup menus opened for real in Wine: what they show, which item a choice reaches, and when
// its click runs.
#include "platform/Menus.h"
#include "tests/support/MenuHand.h"

#include <gtest/gtest.h>

#include <stdexcept>

using testing_support::MenuHand;
using testing_support::OpenMenuWindows;
using testing_support::SeenMenu;

namespace {

class Popup : public testing::Test {
protected:
    ~Popup() override { DestroyWindow(owner); }

    // An item owned by the menu that notes its name when clicked.
    TMenuItem* Item(TMenuItem* parent, const std::string& caption, const std::string& name = {})
    {
        auto* item = new TMenuItem(&menu);
        item->Caption = caption;
        item->Name = name.empty() ? caption : name;
        item->OnClick = [this](TObject* sender) {
            clicked += static_cast<TMenuItem*>(sender)->Name + ";";
        };
        parent->Add(item);
        return item;
    }

    SeenMenu Open(std::vector<WPARAM> keys)
    {
        MenuHand hand(owner, std::move(keys));
        menu.Popup(100, 100, owner);
        return hand.finish();
    }

    HWND owner =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    TPopupMenu menu{nullptr};
    std::string clicked;
};

TEST_F(Popup, ShowsSeparatorsSubmenusAndEmptyEntriesAsPlainEntries)
{
    Item(menu.Items(), "A");
    Item(menu.Items(), "-");
    TMenuItem* sub = Item(menu.Items(), "Sub");
    Item(sub, "X");
    Item(sub, "");
    Item(menu.Items(), "", "empty");
    Item(menu.Items(), "B");

    const SeenMenu seen = Open({VK_ESCAPE});
    ASSERT_TRUE(seen.opened);
    EXPECT_FALSE(seen.leftOpen);
    EXPECT_EQ(seen.entries, R"("A" - "Sub"{"X" ""} "" "B")");
    EXPECT_EQ(clicked, "");
}

TEST_F(Popup, TheKeysReachTheItemTheUserChose)
{
    Item(menu.Items(), "A");
    Item(menu.Items(), "-");
    TMenuItem* sub = Item(menu.Items(), "Sub");
    Item(sub, "X");
    Item(sub, "Y");
    Item(menu.Items(), "", "empty");
    Item(menu.Items(), "B");

    const struct {
        std::vector<WPARAM> keys;
        const char* clicked;
    } table[] = {
        {{VK_DOWN, VK_RETURN}, "A;"},
        {{VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, "Y;"}, // over the separator
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, "empty;"},
        {{VK_UP, VK_RETURN}, "B;"},
        {{VK_DOWN, VK_DOWN, VK_RETURN, VK_ESCAPE, VK_ESCAPE}, ""},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.clicked);
        clicked.clear();
        const SeenMenu seen = Open(row.keys);
        ASSERT_TRUE(seen.opened);
        EXPECT_FALSE(seen.leftOpen);
        EXPECT_EQ(clicked, row.clicked);
    }
}

TEST_F(Popup, TheClickRunsOnceTheMenuIsGoneAndItsFailureReachesTheCaller)
{
    TMenuItem* item = Item(menu.Items(), "Fails");
    bool menuOpenAtClick = true;
    item->OnClick = [&](TObject*) {
        menuOpenAtClick = !OpenMenuWindows(GetCurrentThreadId()).empty();
        throw std::runtime_error("refused");
    };
    MenuHand hand(owner, {VK_DOWN, VK_RETURN});
    EXPECT_THROW(menu.Popup(100, 100, owner), std::runtime_error);
    const SeenMenu seen = hand.finish();
    ASSERT_TRUE(seen.opened);
    EXPECT_FALSE(menuOpenAtClick);
    EXPECT_FALSE(IsMenu(seen.menu)); // nothing of the opening is left behind
}

TEST_F(Popup, DestroyedItemsAreGoneFromTheNextOpening)
{
    TMenuItem* list = Item(menu.Items(), "List");
    Item(list, "old 1");
    Item(list, "old 2");
    Item(menu.Items(), "Last");
    ASSERT_EQ(Open({VK_ESCAPE}).entries, R"("List"{"old 1" "old 2"} "Last")");

    // Emptied, a submenu is a plain entry again.
    while (list->Count() > 0)
        delete list->Items(list->Count() - 1);
    EXPECT_EQ(Open({VK_ESCAPE}).entries, R"("List" "Last")");

    Item(list, "new 1");
    Item(list, "new 2");
    delete menu.Items()->Items(1);
    const SeenMenu seen = Open({VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
    EXPECT_EQ(seen.entries, R"("List"{"new 1" "new 2"})");
    EXPECT_EQ(clicked, "new 2;");
}

} // namespace
