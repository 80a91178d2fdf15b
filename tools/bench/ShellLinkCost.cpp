// What the shell links of an install cost by themselves: the first one in a
// process (which also starts COM) and each one after it, through the
// installer's own createShellLink. An install makes four (the desktop
// shortcut and the program group's three). A measurement, not a test.
//   shell_link_cost ROUNDS FOLDER
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/ShellLink.h"

namespace {

double now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * double(counter.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 2 ? std::atoi(argv[1]) : 0;
    if (rounds < 1) {
        std::fprintf(stderr, "usage: shell_link_cost ROUNDS FOLDER\n");
        return 2;
    }
    std::string folder = argv[2];
    CreateDirectoryA(folder.c_str(), nullptr);
    char target[MAX_PATH];
    GetModuleFileNameA(nullptr, target, MAX_PATH);
    std::vector<double> later;
    double first = 0;
    for (int i = 0; i <= rounds; ++i) {
        std::string link = folder + "\\link" + std::to_string(i) + ".lnk";
        double start = now();
        if (!createShellLink(link.c_str(), "a link", target))
            return 1;
        double took = now() - start;
        if (i == 0)
            first = took;
        else
            later.push_back(took);
        DeleteFileA(link.c_str());
    }
    std::sort(later.begin(), later.end());
    std::printf("shell links: the first in a process %.1f ms (COM starts), each later one %.1f ms "
                "(median of %d)\n",
                first, later[later.size() / 2], rounds);
    return 0;
}
