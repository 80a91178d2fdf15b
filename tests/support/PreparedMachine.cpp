#include "PreparedMachine.h"

#include <windows.h>

#include "RegistrySandbox.h"
#include "TempFolder.h"

const char* const PreparedWinampList = "mid:mp3:wav:KAR";

namespace {

const char* const UninstallEntry =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Melko";
const char* const AppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const char* const ContentTypes = "MIME\\Database\\Content Type\\";
const char* const Mappings = "SOFTWARE\\Microsoft\\Internet Explorer\\EmbedExtnToClsidMappings\\";

void makeFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

// A program file whose version (5.1) the browser probes accept.
void makeBrowser(const std::string& path) {
    makeFolders(path);
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    CopyFileA((std::string(system) + "\\regsvr32.exe").c_str(), path.c_str(), FALSE);
}

}  // namespace

std::vector<std::string> leftByDesign(const std::string& classesRoot,
                                      const std::string& software) {
    const std::string program = software + "\\Lorimund\\Lorimund's MIDI Player";
    std::vector<std::string> lines = {software + "\\Lorimund]", program + "]",
                                      classesRoot + "\\MIME\\Database\\Content Type]"};
    for (const char* settings : {"Setup", "Playlist", "Layout", "Main Window", "Karaoke Window"})
        lines.push_back(program + "\\" + settings);
    for (const char* type : {"audio/mid", "audio/midi", "audio/x-mid", "audio/x-midi", "audio/rmi",
                             "audio/kar", "audio/x-kar", "midi/mid", "midi/kar"}) {
        const std::string key = classesRoot + "\\MIME\\Database\\Content Type\\" + type;
        lines.push_back(key + "]");
        lines.push_back(key + ": Extension = ");
    }
    return lines;
}

std::vector<std::string> preparedPluginPaths(const std::string& root) {
    return {root + "Netscape 3\\program\\plugins\\npmelko.dll",
            root + "Netscape 4.5\\Plugins\\npmelko.dll",
            root + "Netscape 4.7\\Plugins\\npmelko.dll",
            root + "Internet Explorer\\plugins\\npmelko.dll"};
}

std::string preparedWinampIni(const std::string& root) {
    return root + "Winamp\\winamp.ini";
}

void prepareMachine(const std::string& root) {
    regSetString(HKEY_CLASSES_ROOT, ".mid", "", "midfile");
    regSetString(HKEY_CLASSES_ROOT, ".mid", "Content Type", "audio/mid");
    regSetString(HKEY_CLASSES_ROOT, ".kar", "", "KaraokeMaker.Song");
    regSetString(HKEY_CLASSES_ROOT, ".kar\\OpenWithProgids", "KaraokeMaker.Song", "");
    regSetString(HKEY_CLASSES_ROOT, "midfile", "", "MIDI Sequence");
    // An earlier product's entry under the same name keeps what is its own.
    regSetString(HKEY_LOCAL_MACHINE, UninstallEntry, "Publisher", "Lorimund");

    makeFolders(preparedWinampIni(root));
    WritePrivateProfileStringA("Winamp", "extlist", PreparedWinampList,
                               preparedWinampIni(root).c_str());
    regSetString(HKEY_CLASSES_ROOT, "Winamp.File\\DefaultIcon", "",
                 (root + "Winamp\\winamp.exe,1").c_str());

    // Internet Explorer: two types bound to controls, one mapping.
    makeBrowser(root + "Internet Explorer\\iexplore.exe");
    regSetString(HKEY_LOCAL_MACHINE, (std::string(AppPaths) + "iexplore.exe").c_str(), "",
                 (root + "Internet Explorer\\iexplore.exe").c_str());
    const char* const types[][3] = {{"audio/mid", ".mid", "{11111111-0000-0000-0000-000000000001}"},
                                    {"audio/x-kar", ".kar", "{11111111-0000-0000-0000-000000000002}"},
                                    {"midi/mid", ".mid", nullptr}};
    for (const auto& type : types) {
        const std::string key = std::string(ContentTypes) + type[0];
        regSetString(HKEY_CLASSES_ROOT, key.c_str(), "Extension", type[1]);
        if (type[2])
            regSetString(HKEY_CLASSES_ROOT, key.c_str(), "CLSID", type[2]);
    }
    regSetString(HKEY_LOCAL_MACHINE, (std::string(Mappings) + ".mid").c_str(), "",
                 "{22222222-0000-0000-0000-000000000001}");
    regSetString(HKEY_LOCAL_MACHINE, (std::string(Mappings) + ".kar").c_str(), "",
                 "{22222222-0000-0000-0000-000000000002}");

    // Netscape: 3.x for the user, 4.5 and 4.7 for the machine.
    makeBrowser(root + "Netscape 4.7\\Program\\netscape.exe");
    regSetString(HKEY_LOCAL_MACHINE, (std::string(AppPaths) + "netscape.exe").c_str(), "",
                 (root + "Netscape 4.7\\Program\\netscape.exe").c_str());
    regSetString(HKEY_CURRENT_USER, "SOFTWARE\\Netscape\\Netscape Navigator\\Main",
                 "Install Directory", (root + "Netscape 3").c_str());
    for (const char* version : {"4.5", "4.7"})
        regSetString(HKEY_LOCAL_MACHINE,
                     (std::string("SOFTWARE\\Netscape\\Netscape Navigator\\") + version + "\\Main")
                         .c_str(),
                     "Plugins Directory", (root + "Netscape " + version + "\\Plugins").c_str());
    for (const std::string& plugin : preparedPluginPaths(root))
        makeFolders(plugin);
}
