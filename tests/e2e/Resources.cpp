// The installer's own resources as Windows reads them, without running it.
#include <gtest/gtest.h>

#include "Driver.h"

namespace {

// The size Windows made the icon at, or 0 when no image could be read.
int loadedIconSize(HMODULE module, int id, int size) {
    HICON icon = static_cast<HICON>(
        LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (!icon)
        return 0;
    ICONINFO info = {};
    BITMAP bitmap = {};
    if (GetIconInfo(icon, &info)) {
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    DestroyIcon(icon);
    return bitmap.bmWidth;
}

}  // namespace

// The icon images are PNG at every size: each must decode where it is asked for.
TEST(Resources, IconsLoadAtEverySizeTheyCarry) {
    HMODULE installer = LoadLibraryExA(InstallerExe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, installer);
    const struct {
        int id;
        int size;
    } images[] = {{118, 16}, {118, 24}, {118, 32}, {118, 48}, {121, 32}, {121, 48}, {121, 64}};
    for (const auto& image : images)
        EXPECT_EQ(image.size, loadedIconSize(installer, image.id, image.size))
            << "icon " << image.id << " at " << image.size;
    FreeLibrary(installer);
}
