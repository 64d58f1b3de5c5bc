#include "platform/Sound.h"

#include <mmsystem.h>

PlaySoundFn SoundPlayer = PlaySoundA;

void PlayResourceSound(const char* name)
{
    SoundPlayer(name, GetModuleHandleA(nullptr), SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
}
