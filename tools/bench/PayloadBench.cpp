// Measures the payload extraction against bare zlib inflating, and the
// installer's size against the streams it carries. Prints figures; it is a
// measurement, not a test.
//
// Usage: payload_bench.exe INSTALLER.EXE PACK-FOLDER [ROUNDS]
#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Installer.h"
#include "payload/PayloadEntry.h"

namespace {

struct Stream {
    const Bytef* data;
    uInt size;
    std::string fileName;
};

double now() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

std::vector<Stream> loadStreams() {
    std::vector<Stream> streams;
    for (const PayloadEntry* e = PayloadManifest; e->resourceName[0]; ++e) {
        HRSRC found = FindResourceA(nullptr, e->resourceName, "LORIMUND");
        HGLOBAL loaded = LoadResource(nullptr, found);
        streams.push_back({static_cast<const Bytef*>(LockResource(loaded)),
                           static_cast<uInt>(SizeofResource(nullptr, found)), e->fileName});
    }
    return streams;
}

// Inflates one stream through a 32 KB window; sink gets every chunk.
template <typename Sink>
void inflateStream(const Stream& s, Sink sink) {
    static Bytef buffer[32768];
    z_stream z = {};
    inflateInit(&z);
    z.next_in = const_cast<Bytef*>(s.data);
    z.avail_in = s.size;
    int result;
    do {
        z.next_out = buffer;
        z.avail_out = sizeof buffer;
        result = inflate(&z, Z_NO_FLUSH);
        sink(buffer, sizeof buffer - z.avail_out);
    } while (result == Z_OK);
    inflateEnd(&z);
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

long long fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: payload_bench INSTALLER.EXE PACK-FOLDER [ROUNDS]\n");
        return 2;
    }
    int rounds = argc > 3 ? std::atoi(argv[3]) : 15;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "lkp-bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);

    std::vector<Stream> streams = loadStreams();
    std::vector<std::vector<Bytef>> memory(streams.size());
    std::vector<double> extract, bareMemory, bareWrite;
    unsigned long long inflated = 0;

    InstallOptions options;
    options.folder = KString(folder.c_str());
    for (int round = 0; round < rounds; ++round) {
        double start = now();
        Installer installer(options, GetModuleHandleA(nullptr), nullptr);
        if (!installer.extractPayload()) {
            std::fprintf(stderr, "extraction failed\n");
            return 1;
        }
        extract.push_back(now() - start);

        start = now();
        inflated = 0;
        for (size_t i = 0; i < streams.size(); ++i) {
            memory[i].clear();
            inflateStream(streams[i], [&](const Bytef* p, uInt n) { memory[i].insert(memory[i].end(), p, p + n); });
            inflated += memory[i].size();
        }
        bareMemory.push_back(now() - start);

        start = now();
        for (const Stream& s : streams) {
            HANDLE file = CreateFileA((folder + s.fileName).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            inflateStream(s, [&](const Bytef* p, uInt n) {
                DWORD done;
                if (n)
                    WriteFile(file, p, n, &done, nullptr);
            });
            CloseHandle(file);
        }
        bareWrite.push_back(now() - start);
    }
    for (const Stream& s : streams)
        DeleteFileA((folder + s.fileName).c_str());
    RemoveDirectoryA(folder.c_str());

    double e = median(extract), m = median(bareMemory), w = median(bareWrite);
    std::printf("payload: %u files, %llu bytes inflated, medians of %d rounds\n",
                static_cast<unsigned>(streams.size()), inflated, rounds);
    std::printf("  extractPayload            %8.2f ms\n", e * 1000);
    std::printf("  bare inflate into memory  %8.2f ms   extractPayload / this = %.2fx\n", m * 1000, e / m);
    std::printf("  bare inflate and write    %8.2f ms   extractPayload / this = %.2fx (aim: within 1.10x)\n",
                w * 1000, e / w);

    long long exe = fileSize(argv[1]);
    long long sum = 0;
    for (const PayloadEntry* p = PayloadManifest; p->resourceName[0]; ++p)
        sum += fileSize(std::string(argv[2]) + "\\" + p->resourceName + ".z");
    long long license = fileSize(std::string(argv[2]) + "\\license.txt");
    std::printf("installer: %lld bytes; compressed streams %lld bytes; licence %lld bytes\n", exe, sum, license);
    std::printf("  overhead over its streams: %lld bytes (%.1f KB; aim: under 120 KB)\n", exe - sum,
                (exe - sum) / 1024.0);
    return 0;
}
