// Times two programs against each other, in alternation, and prints the
// medians and their ratio. A measurement, not a test.
//
//   bench_timer startup ROUNDS OURS.EXE PEER.EXE
//       from process creation until the program's wizard is shown and waits
//       for input (its first page painted), then ends it
//   bench_timer install ROUNDS ROOT OURS.EXE PEER.EXE [SWITCHES]
//       a silent install ("/S /D=folder") into a fresh folder below ROOT, from
//       process creation to exit; every run must end with 0 and leave the 17
//       payload files. SWITCHES go to ours before /D= (to see what a step
//       costs, e.g. "/SHORTCUTS=none")
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double now() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    size_t n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

bool start(const std::string& exe, const std::string& arguments, PROCESS_INFORMATION& process) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    return CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process) != 0;
}

void finish(PROCESS_INFORMATION& process) {
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 10000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // Wine and the X server tidy up after a process for a while; the next
    // run should not pay for that.
    Sleep(300);
}

struct Search {
    DWORD processId;
    bool found;
};

BOOL CALLBACK findShownDialog(HWND window, LPARAM parameter) {
    Search& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[16] = "";
    GetClassNameA(window, name, sizeof(name));
    if (owner == search.processId && IsWindowVisible(window) && lstrcmpA(name, "#32770") == 0) {
        search.found = true;
        return FALSE;
    }
    return TRUE;
}

// Seconds until the program's wizard waits for input, or a negative number.
double startupTime(const std::string& exe) {
    PROCESS_INFORMATION process;
    double begin = now();
    if (!start(exe, "", process))
        return -1;
    DWORD waited = WaitForInputIdle(process.hProcess, 30000);
    double end = now();
    Search search = {process.dwProcessId, false};
    EnumWindows(findShownDialog, reinterpret_cast<LPARAM>(&search));
    finish(process);
    return waited == 0 && search.found ? end - begin : -1;
}

int countFiles(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int files = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++files;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

void removeTree(const std::string& folder) {
    std::string from = folder + '\0';
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&operation);
}

// Seconds from start to exit of a silent install into folder, or a negative number.
double installTime(const std::string& exe, const std::string& switches,
                   const std::string& folder) {
    removeTree(folder);
    PROCESS_INFORMATION process;
    double begin = now();
    if (!start(exe, "/S " + switches + (switches.empty() ? "" : " ") + "/D=" + folder, process))
        return -1;
    DWORD waited = WaitForSingleObject(process.hProcess, 30000);
    double end = now();
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    finish(process);
    int files = countFiles(folder);
    removeTree(folder);
    if (waited != WAIT_OBJECT_0 || code != 0 || files < 17) {
        std::fprintf(stderr, "%s: exit code %lu, %d files\n", exe.c_str(), code, files);
        return -1;
    }
    return end - begin;
}

int report(const char* what, const char* peer, const std::vector<double>& ours,
           const std::vector<double>& theirs) {
    double a = median(ours), b = median(theirs);
    std::printf("%s: ours %.1f ms, %s %.1f ms, ratio %.3f (medians of %u runs each, interleaved)\n",
                what, a * 1000, peer, b * 1000, a / b, static_cast<unsigned>(ours.size()));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    int rounds = argc > 2 ? std::atoi(argv[2]) : 0;
    std::vector<double> ours, theirs;
    if (mode == "startup" && argc == 5 && rounds > 0) {
        startupTime(argv[3]);  // both once unmeasured: files in the cache
        startupTime(argv[4]);
        for (int i = 0; i < rounds; ++i) {
            // Alternating which goes first cancels what one run leaves the next.
            double a, b;
            if (i % 2) {
                b = startupTime(argv[4]);
                a = startupTime(argv[3]);
            } else {
                a = startupTime(argv[3]);
                b = startupTime(argv[4]);
            }
            if (a < 0 || b < 0) {
                std::fprintf(stderr, "a wizard did not come up\n");
                return 1;
            }
            ours.push_back(a);
            theirs.push_back(b);
        }
        return report("start-up to the first page", "bare property sheet", ours, theirs);
    }
    if (mode == "install" && (argc == 6 || argc == 7) && rounds > 0) {
        std::string root = argv[3];
        std::string switches = argc == 7 ? argv[6] : "";
        CreateDirectoryA(root.c_str(), nullptr);
        for (int i = 0; i < rounds; ++i) {
            std::string n = std::to_string(i);
            double a, b;
            if (i % 2) {
                b = installTime(argv[5], "", root + "\\peer-" + n);
                a = installTime(argv[4], switches, root + "\\ours-" + n);
            } else {
                a = installTime(argv[4], switches, root + "\\ours-" + n);
                b = installTime(argv[5], "", root + "\\peer-" + n);
            }
            if (a < 0 || b < 0)
                return 1;
            ours.push_back(a);
            theirs.push_back(b);
        }
        RemoveDirectoryA(root.c_str());
        return report("silent install", "NSIS /S", ours, theirs);
    }
    std::fprintf(stderr,
                 "usage: bench_timer startup ROUNDS OURS.EXE PEER.EXE\n"
                 "       bench_timer install ROUNDS ROOT OURS.EXE PEER.EXE [SWITCHES]\n");
    return 2;
}
