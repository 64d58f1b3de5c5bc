// The credits label: a mail link that lights up under the pointer.
#include "app/Unit1.h"

#include "platform/BrowseUrl.h"
#include "ui/SettingsLayout.h"

#include <memory>

void TForm1::Label6MouseEnter(TObject*) { Label6->SetFontColor(clWhite); }

void TForm1::Label6MouseLeave(TObject*) { Label6->SetFontColor(clBlack); }

void TForm1::Label6Click(TObject*)
{
    auto mail = std::make_unique<TBrowseURL>(this);
    mail->URL = std::string("mailto:") + ContactAddress + "?subject=Portlark";
    mail->Execute();
}
