/* The player's DDE commands: the execute strings that the shell sends on the
   topic "System", such as [load("C:\Songs\a.kar")][play]. Plain functions
   without Windows calls, so that the parsing of what another process sends
   can be tested on its own. */
#ifndef LKP_STANDINS_DDECOMMANDS_H
#define LKP_STANDINS_DDECOMMANDS_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    PlayerMaxPath = 260,      /* a path of up to 259 characters and its NUL */
    PlayerMaxCommands = 8,    /* bracketed commands in one execute */
    PlayerMaxExecute = 4096,  /* bytes of one execute string */
    /* Titles stay within MAX_PATH: programs that look for the running
       player (installers among them) read titles into buffers of that size. */
    PlayerMaxTitle = 260
};

typedef enum { PlayerLoad, PlayerPlay } PlayerVerb;

typedef struct {
    PlayerVerb verb;
    char path[PlayerMaxPath]; /* PlayerLoad only; empty otherwise */
} PlayerCommand;

/* Parses an execute string of up to length bytes; a NUL ends it earlier.
   Returns the number of commands stored in commands (1 to capacity), or 0
   when any part of the text is refused: then nothing is to be carried out. */
int parsePlayerCommands(const char* text, size_t length, PlayerCommand* commands, int capacity);

/* The file name in a path: what follows its last backslash or slash. */
const char* playerFileName(const char* path);

/* The window title for a loaded song: its file name followed by
   " - Lorimund's Karaoke Player", the name shortened so that the whole
   fits in PlayerMaxTitle. title must hold PlayerMaxTitle characters. */
void makePlayerTitle(const char* path, char* title);

#ifdef __cplusplus
}
#endif

#endif
