// Portlark's entry point: the start-up sequence, the event loop, and the end.
#include "app/Unit1.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    Application = new TApplication;
    Application->Initialize();
    Application->SetTitle("Portlark v0.2b");
    Application->CreateForm(Form1);
    Application->Run();
    Application->Halt();
}
