#include "platform/BrowseUrl.h"

#include <shellapi.h>

ShellExecuteFn UrlOpener = ShellExecuteA;

void TBrowseURL::Execute()
{
    if (Enabled())
        UrlOpener(nullptr, nullptr, URL.c_str(), "", "", SW_SHOWNORMAL);
}
