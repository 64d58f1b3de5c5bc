// The resources inside the built portlark.exe: the icon and the two sounds, in their formats.
#include "resources/resource.h"
#include "tests/support/Driver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class Resources : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryExA((testing_support::BinFolder() + "portlark.exe").c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module);
    }
    void TearDown() override { FreeLibrary(module); }

    std::string Bytes(const char* name, const char* type)
    {
        HRSRC found = FindResourceA(module, name, type);
        if (!found)
            return {};
        const void* data = LockResource(LoadResource(module, found));
        return std::string(static_cast<const char*>(data), SizeofResource(module, found));
    }

    HMODULE module = nullptr;
};

TEST_F(Resources, TheIconIs32By32With256Colours)
{
    HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(IDI_PORTLARK), RT_GROUP_ICON);
    ASSERT_TRUE(group);
    const auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    const WORD count = *reinterpret_cast<const WORD*>(dir + 4);
    ASSERT_EQ(count, 1);
    const BYTE* entry = dir + 6; // width, height, colours, reserved, planes, bits, size, id
    EXPECT_EQ(entry[0], 32);
    EXPECT_EQ(entry[1], 32);
    EXPECT_EQ(*reinterpret_cast<const WORD*>(entry + 6), 8);
    // The image itself, not only its directory entry: a palette bitmap of 32 x 32 pixels
    // (twice the height, for the picture and its mask).
    const WORD imageId = *reinterpret_cast<const WORD*>(entry + 12);
    const std::string image = Bytes(MAKEINTRESOURCEA(imageId), RT_ICON);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, image.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64);
    EXPECT_EQ(header.biBitCount, 8);

    // The first icon group is the one the shell shows for the file.
    WORD first = 0;
    EnumResourceNamesA(
        module, RT_GROUP_ICON,
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR out) -> BOOL {
            *reinterpret_cast<WORD*>(out) = IS_INTRESOURCE(name) ? LOWORD(name) : 0;
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, IDI_PORTLARK);
    HICON icon = static_cast<HICON>(
        LoadImageA(module, MAKEINTRESOURCEA(IDI_PORTLARK), IMAGE_ICON, 32, 32, 0));
    EXPECT_TRUE(icon);
    DestroyIcon(icon);
}

TEST_F(Resources, TheSoundsArePlainPcmOfTheirLengths)
{
    const struct {
        const char* name;
        DWORD dataBytes;
    } sounds[] = {{"JA", 47322}, {"HO", 38720}};
    for (const auto& s : sounds) {
        SCOPED_TRACE(s.name);
        const std::string wav = Bytes(s.name, "WAVE");
        ASSERT_GE(wav.size(), 44u);
        EXPECT_EQ(wav.substr(0, 4), "RIFF");
        EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
        auto u16 = [&](size_t at) {
            WORD v;
            std::memcpy(&v, wav.data() + at, 2);
            return v;
        };
        auto u32 = [&](size_t at) {
            DWORD v;
            std::memcpy(&v, wav.data() + at, 4);
            return v;
        };
        EXPECT_EQ(u16(20), WAVE_FORMAT_PCM);
        EXPECT_EQ(u16(22), 1);      // mono
        EXPECT_EQ(u32(24), 22050u); // samples a second
        EXPECT_EQ(u16(34), 16);     // bits a sample
        EXPECT_EQ(wav.substr(36, 4), "data");
        EXPECT_EQ(u32(40), s.dataBytes);
        EXPECT_EQ(wav.size(), 44u + s.dataBytes);
    }
}

} // namespace
