// A favorite chosen in the tray's Favorites submenu: start the game connected to it.
#include "app/Unit1.h"

#include "launch/Launcher.h"

void TForm1::PopupMenuItemsClick(TObject* Sender)
{
    auto* entry = checked_cast<TMenuItem>(Sender);
    LaunchGame(Edit3->GetText(), entry->Hint, Handle());
    // A launch that failed has thrown by now, so Portlark never quits without a game.
    if (CheckBox1->Checked()) {
        CoolTrayIcon1->SetIconVisible(false);
        Application->Halt();
    }
}
