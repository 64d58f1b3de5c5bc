// Popup menus: the items are the truth; the Win32 menu is made from them for each opening.
#include "platform/Menus.h"

#include <algorithm>

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    while (!items_.empty())
        Remove(items_.back());
    if (parent_)
        parent_->Remove(this);
}

void TMenuItem::Add(TMenuItem* item)
{
    if (item->parent_)
        item->parent_->Remove(item);
    item->parent_ = this;
    items_.push_back(item);
}

void TMenuItem::Remove(TMenuItem* item)
{
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    if (item->parent_ == this)
        item->parent_ = nullptr;
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}

TPopupMenu::~TPopupMenu()
{
    // Items owned elsewhere must not point back at a root that is gone.
    while (root_.Count() > 0)
        root_.Remove(root_.Items(root_.Count() - 1));
}

namespace {

// Builds the Win32 menu for the items, numbering the commands in the order met.
HMENU BuildMenu(const TMenuItem& parent, std::vector<TMenuItem*>& commands)
{
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (item->Caption == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else if (item->Count() > 0) {
            AppendMenuA(menu, MF_POPUP | MF_STRING,
                        reinterpret_cast<UINT_PTR>(BuildMenu(*item, commands)),
                        item->Caption.c_str());
        } else {
            commands.push_back(item);
            AppendMenuA(menu, MF_STRING, commands.size(), item->Caption.c_str());
        }
    }
    return menu;
}

} // namespace

void TPopupMenu::Popup(int x, int y, HWND owner)
{
    std::vector<TMenuItem*> commands;
    HMENU menu = BuildMenu(root_, commands);
    // The menu must belong to the foreground window to close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, x, y, 0, owner,
        nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (chosen > 0 && chosen <= commands.size())
        commands[chosen - 1]->Click();
}
