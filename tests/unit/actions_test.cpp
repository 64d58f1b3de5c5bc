// Sounds and the URL action, through the calls they hand to the system.
#include "platform/BrowseUrl.h"
#include "platform/Sound.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <string>
#include <vector>

namespace {

struct ShellCall {
    HWND owner;
    std::string verb, file, parameters, folder;
    INT show;
};
std::vector<ShellCall> shellCalls;

HINSTANCE WINAPI RecordShell(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                             LPCSTR folder, INT show)
{
    shellCalls.push_back({owner, verb ? verb : "<none>", file, parameters ? parameters : "<none>",
                          folder ? folder : "<none>", show});
    return reinterpret_cast<HINSTANCE>(42);
}

TEST(BrowseUrl, HandsTheUrlToTheShellOncePerExecution)
{
    shellCalls.clear();
    UrlOpener = RecordShell;
    {
        TBrowseURL action(nullptr);
        EXPECT_FALSE(action.Enabled());
        action.Execute(); // nothing to open
        action.URL = "mailto:someone@example.org?subject=Portlark";
        EXPECT_TRUE(action.Enabled());
        action.Execute();
        action.Execute();
    }
    UrlOpener = ShellExecuteA;
    ASSERT_EQ(shellCalls.size(), 2u);
    const ShellCall& call = shellCalls[0];
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.verb, "<none>");
    EXPECT_EQ(call.file, "mailto:someone@example.org?subject=Portlark");
    EXPECT_EQ(call.parameters, "");
    EXPECT_EQ(call.folder, "");
    EXPECT_EQ(call.show, SW_SHOWNORMAL);
}

std::vector<std::pair<std::string, DWORD>> played;
BOOL WINAPI RecordSound(LPCSTR name, HMODULE module, DWORD flags)
{
    EXPECT_EQ(module, GetModuleHandleA(nullptr));
    played.emplace_back(name, flags);
    return FALSE; // as if there were no sound device
}

TEST(Sound, PlaysTheModulesOwnResourceWithoutWaiting)
{
    played.clear();
    SoundPlayer = RecordSound;
    PlayResourceSound("JA");
    SoundPlayer = PlaySoundA;
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].first, "JA");
    EXPECT_EQ(played[0].second, static_cast<DWORD>(SND_RESOURCE | SND_ASYNC | SND_NODEFAULT));
    // The real call with a sound this module does not have fails quietly.
    EXPECT_NO_THROW(PlayResourceSound("NOT THERE"));
}

} // namespace
