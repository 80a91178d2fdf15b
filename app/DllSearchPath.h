// Where DLLs loaded at run time may come from.
#ifndef LKP_APP_DLLSEARCHPATH_H
#define LKP_APP_DLLSEARCHPATH_H

// Installers and uninstallers are started from download or program folders,
// where anyone may have left a DLL named like a system one. From the call on,
// DLLs loaded at run time come from the system folder only.
void restrictDllSearchPath();

#endif
