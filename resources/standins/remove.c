/* Stand-in for the uninstaller: says what it is and removes nothing, so that
   a test or a user who starts it from the program group is not misled. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)showCommand;
    MessageBoxA(NULL,
                "The uninstaller of this build is a stand-in.\n"
                "It removes nothing; delete the program folder by hand.",
                "Lorimund's Karaoke Player", MB_OK | MB_ICONINFORMATION);
    return 0;
}
