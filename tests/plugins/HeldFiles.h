// Files held open without sharing by a second process, as a running browser
// holds its plug-in, until release().
#ifndef LKP_TESTS_PLUGINS_HELDFILES_H
#define LKP_TESTS_PLUGINS_HELDFILES_H

#include <windows.h>

#include <string>
#include <vector>

class HeldFiles {
public:
    explicit HeldFiles(const std::vector<std::string>& paths) {
        static int counter = 0;
        std::string name = "LkpHeldFiles-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(++counter);
        held_ = CreateEventA(nullptr, TRUE, FALSE, (name + "-held").c_str());
        release_ = CreateEventA(nullptr, TRUE, FALSE, (name + "-release").c_str());
        std::string command = "\"" + holderPath() + "\" " + name + "-held " + name + "-release";
        for (const std::string& path : paths)
            command += " \"" + path + "\"";
        std::vector<char> line(command.begin(), command.end());
        line.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process;
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process))
            return;
        CloseHandle(process.hThread);
        process_ = process.hProcess;
        HANDLE either[] = {held_, process_};
        holding_ = WaitForMultipleObjects(2, either, FALSE, 60000) == WAIT_OBJECT_0;
    }

    ~HeldFiles() {
        release();
        CloseHandle(held_);
        CloseHandle(release_);
    }

    bool holding() const { return holding_; }

    // Returns once the files are closed.
    void release() {
        if (!process_)
            return;
        SetEvent(release_);
        WaitForSingleObject(process_, 60000);
        CloseHandle(process_);
        process_ = nullptr;
    }

private:
    HeldFiles(const HeldFiles&) = delete;
    HeldFiles& operator=(const HeldFiles&) = delete;

    static std::string holderPath() {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string own = path;
        return own.substr(0, own.rfind('\\') + 1) + "file_holder.exe";
    }

    HANDLE held_ = nullptr;
    HANDLE release_ = nullptr;
    HANDLE process_ = nullptr;
    bool holding_ = false;
};

#endif
