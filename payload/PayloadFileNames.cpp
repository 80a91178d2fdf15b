#include "payload/PayloadEntry.h"

const char* const PayloadFileNames[PayloadFileCount] = {
    "npmelko.dll", "melko.exe",   "tonal32.dll",  "tonal95.dll", "tonal16.dll", "basic.lyt",
    "melko.hlp",   "remove.exe",  "backdrop.bmp", "sample1.kar", "sample2.kar", "sample3.mid",
    "sample4.mid", "sample5.mid", "sample6.mid",  "sample7.mid", "sample8.kar"};
