#include "ddecommands.h"

#include <string.h>

static const char PlainTitle[] = "Lorimund's Karaoke Player";
static const char TitleSuffix[] = " - Lorimund's Karaoke Player";

/* What is left of the text: [at, end), end at its first NUL. */
typedef struct {
    const char* at;
    const char* end;
} Cursor;

static int isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

static int isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

static int endsBareArgument(char c)
{
    return c == '"' || c == '(' || c == ')' || c == '[' || c == ']' || c == ',';
}

static void skipBlanks(Cursor* c)
{
    while (c->at < c->end && isBlank(*c->at))
        ++c->at;
}

/* Takes the character wanted after any blanks. */
static int take(Cursor* c, char wanted)
{
    skipBlanks(c);
    if (c->at == c->end || *c->at != wanted)
        return 0;
    ++c->at;
    return 1;
}

static int isWord(const char* word, size_t length, const char* lowerName)
{
    size_t i;
    if (strlen(lowerName) != length)
        return 0;
    for (i = 0; i < length; ++i) {
        char c = word[i];
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
        if (c != lowerName[i])
            return 0;
    }
    return 1;
}

/* One path argument, in quotes (anything but a quote inside) or bare (up to
   the next bracket, parenthesis, comma or quote, trailing blanks dropped). */
static int takePath(Cursor* c, char* path)
{
    const char* start;
    size_t length, i;
    skipBlanks(c);
    if (c->at < c->end && *c->at == '"') {
        start = ++c->at;
        while (c->at < c->end && *c->at != '"')
            ++c->at;
        if (c->at == c->end)
            return 0;
        length = (size_t)(c->at - start);
        ++c->at;
    } else {
        start = c->at;
        while (c->at < c->end && !endsBareArgument(*c->at))
            ++c->at;
        length = (size_t)(c->at - start);
        while (length > 0 && isBlank(start[length - 1]))
            --length;
    }
    if (length == 0 || length >= PlayerMaxPath)
        return 0;
    for (i = 0; i < length; ++i)
        if ((unsigned char)start[i] < 0x20)
            return 0;
    memcpy(path, start, length);
    path[length] = '\0';
    return 1;
}

/* [load(path)], [play] or [play()], blanks allowed between the parts. */
static int takeCommand(Cursor* c, PlayerCommand* command)
{
    const char* name;
    size_t length;
    if (!take(c, '['))
        return 0;
    skipBlanks(c);
    name = c->at;
    while (c->at < c->end && isLetter(*c->at))
        ++c->at;
    length = (size_t)(c->at - name);
    command->path[0] = '\0';
    if (isWord(name, length, "load")) {
        command->verb = PlayerLoad;
        if (!take(c, '(') || !takePath(c, command->path) || !take(c, ')'))
            return 0;
    } else if (isWord(name, length, "play")) {
        command->verb = PlayerPlay;
        if (take(c, '(') && !take(c, ')'))
            return 0;
    } else {
        return 0;
    }
    return take(c, ']');
}

int parsePlayerCommands(const char* text, size_t length, PlayerCommand* commands, int capacity)
{
    Cursor c;
    const char* nul;
    int count = 0;
    if (!text || !commands || capacity <= 0)
        return 0;
    nul = (const char*)memchr(text, '\0', length);
    c.at = text;
    c.end = nul ? nul : text + length;
    for (;;) {
        skipBlanks(&c);
        if (c.at == c.end)
            return count;
        if (count == capacity || !takeCommand(&c, &commands[count]))
            return 0;
        ++count;
    }
}

const char* playerFileName(const char* path)
{
    const char* name = path;
    for (; *path; ++path)
        if (*path == '\\' || *path == '/')
            name = path + 1;
    return name;
}

void makePlayerTitle(const char* path, char* title)
{
    const size_t room = PlayerMaxTitle - sizeof TitleSuffix; /* for the name */
    const char* name = playerFileName(path);
    size_t length = strlen(name);
    if (length == 0) {
        memcpy(title, PlainTitle, sizeof PlainTitle);
        return;
    }
    if (length > room) {
        memcpy(title, name, room - 3);
        memcpy(title + room - 3, "...", 3);
        length = room;
    } else {
        memcpy(title, name, length);
    }
    memcpy(title + length, TitleSuffix, sizeof TitleSuffix);
}
