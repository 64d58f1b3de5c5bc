// Popup menus and their items. The Win32 menu is built afresh from the items each time the
// menu opens, so items may be added and destroyed freely while it is closed.
#pragma once

#include "platform/Classes.h"

#include <windows.h>

#include <string>
#include <vector>

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override; // also takes the item out of its parent

    std::string Caption; // "-" makes a separator
    std::string Hint;
    TNotifyEvent OnClick;

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    TMenuItem* Parent() const { return parent_; }
    void Add(TMenuItem* item);    // appends; an item has one parent at a time
    void Remove(TMenuItem* item); // takes it out without destroying it
    void Click();                 // raises OnClick

private:
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    TMenuItem* Items() { return &root_; }
    bool AutoPopup = true;

    // Opens the menu at a screen position for the given window, waits until it closes and
    // then raises the chosen item's OnClick.
    void Popup(int x, int y, HWND owner);

private:
    TMenuItem root_{nullptr};
};
