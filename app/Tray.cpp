// Living in the tray: the two visibility states and every way of moving between them.
#include "app/Unit1.h"

void TForm1::HideToTray()
{
    CoolTrayIcon1->HideMainForm();
    CoolTrayIcon1->SetIconVisible(true);
}

void TForm1::RestoreFromTray()
{
    CoolTrayIcon1->ShowMainForm();
    CoolTrayIcon1->SetIconVisible(false);
}

void TForm1::CoolTrayIcon1Click(TObject*) { RestoreFromTray(); }

void TForm1::Show1Click(TObject*) { RestoreFromTray(); }

void TForm1::Exit1Click(TObject*) { Application->Halt(); }

void TForm1::FormCloseQuery(TObject*, bool& CanClose)
{
    // Until a game path is known the window is all there is, so closing it ends Portlark.
    if (CloseExits)
        return;
    CanClose = false;
    HideToTray();
}
