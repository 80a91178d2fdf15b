#include "app/Constants.h"

const KString ProductName("Lorimund's Karaoke Player");
const KString CurrentVersionKey("Software\\Microsoft\\Windows\\CurrentVersion");
const KString UninstallKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Melko");
const KString NetscapeAppPathKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\netscape.exe");
const KString IExploreAppPathKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\iexplore.exe");
const KString MapGroupsKey("Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups");
const KString PlayerKey("SOFTWARE\\Lorimund\\Lorimund's MIDI Player");
const KString PlaylistKey("SOFTWARE\\Lorimund\\Lorimund's MIDI Player\\Playlist");
// Starts with a blank and holds the underscore twice, as it always has.
const KString FolderNameChars(" .$%'-_@{}~`!#(),+=;_[]");
const KString PlayerExeName("melko.exe");
const KString UninstallerExeName("remove.exe");

const char* const ProductWebSite = "https://www.lorimund.example/";
