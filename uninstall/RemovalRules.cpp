#include "uninstall/RemovalRules.h"

#include "app/InstallOptions.h"
#include "app/Probes.h"
#include "migrate/PlaylistFormat.h"
#include "migrate/SamplePlaylist.h"
#include "shell/ProgramKey.h"
#include "shell/RecordRules.h"

namespace {

bool isFlag(const DwordRecord& record) {
    return record.state == RecordState::Sound && record.value <= 1;
}

bool isDamaged(const DwordRecord& record) {
    return record.state == RecordState::Damaged ||
           (record.state == RecordState::Sound && record.value > 1);
}

bool startsWith(const KString& text, const char* head) {
    KString start(head);
    return text.left(start.length()) == start;
}

}  // namespace

bool programFolderFromUninstallString(KString command, KString& folder) {
    command.trim();
    KString found = folderFromUninstallString(command);
    // The folder page refuses a path this long or of other characters, so
    // the installer never wrote one.
    if (found.empty() || !isValidFolderPath(found.chars()) || !hasNoDotSteps(found))
        return false;
    folder = found;
    ensureTrailingBackslash(folder);
    return true;
}

RecordAction judgeFileTypeRecord(const DwordRecord& registered, const DwordRecord& existedBefore,
                                 const StringRecord& defaultValue, bool extensionIsPlayers) {
    if (isDamaged(registered) || isDamaged(existedBefore) ||
        defaultValue.state == RecordState::Damaged)
        return RecordAction::Keep;
    if (!isFlag(registered) || registered.value != 1 || !extensionIsPlayers)
        return RecordAction::Forget;
    return RecordAction::GiveBack;
}

RecordAction judgeStudioRecord(const DwordRecord& studio) {
    if (studio.state == RecordState::Missing)
        return RecordAction::Forget;
    if (isDamaged(studio))
        return RecordAction::Keep;
    return studio.value == 1 ? RecordAction::GiveBack : RecordAction::Forget;
}

RecordAction judgePluginRecord(const KString& valueName, const StringRecord& path) {
    bool ours = valueName == Netscape3PluginValue || valueName == IePluginValue ||
                startsWith(valueName, (KString(NetscapePluginValuePrefix) + "4.").chars());
    if (!ours || path.state != RecordState::Sound || !isPluginRecordPath(path.value))
        return RecordAction::Keep;
    return RecordAction::GiveBack;
}

RecordAction judgeShortcutRecord(const StringRecord& path) {
    if (path.state != RecordState::Sound || !isShortcutRecordPath(path.value))
        return RecordAction::Keep;
    return RecordAction::GiveBack;
}

RecordAction judgeSavedValue(const StringRecord& saved, bool placeTaken) {
    if (saved.state != RecordState::Sound)
        return saved.state == RecordState::Missing ? RecordAction::Forget : RecordAction::Keep;
    return placeTaken ? RecordAction::Forget : RecordAction::GiveBack;
}

bool isSamplePlaylistName(const KString& fileName) {
    const KString head("Sample Playlist");
    const KString tail(".kpl");
    if (fileName == head + tail)
        return true;
    if (fileName.length() < head.length() + 2 + tail.length() ||
        fileName.left(head.length() + 1) != head + " " || fileName.right(tail.length()) != tail)
        return false;
    KString digits = fileName.mid(head.length() + 1, fileName.length() - head.length() - 1 -
                                                         tail.length());
    if (digits.length() > 3 || digits.at(0) == '0')
        return false;
    int number = 0;
    for (int i = 0; i < digits.length(); ++i) {
        if (digits.at(i) < '0' || digits.at(i) > '9')
            return false;
        number = number * 10 + (digits.at(i) - '0');
    }
    return number >= 2 && number <= 998;
}

KString samplePlaylistBytes(const KString& folder, const KString& fileName) {
    KString text = playlistHeader(playlistNameOf(fileName));
    for (int i = 0; i < SampleSongCount; ++i)
        text += playlistEntryLine(KString(SampleSongs[i].title), folder + SampleSongs[i].fileName,
                                  i);
    // Written in text mode: every line feed is stored after a carriage return.
    KString bytes;
    for (int i = 0; i < text.length(); ++i) {
        if (text.at(i) == '\n')
            bytes += '\r';
        bytes += text.at(i);
    }
    return bytes;
}
