#include "cli/StandardStreams.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

// The C runtime opens them in text mode, which would write CR CR LF for the
// CR LF of the Copy text and stop reading at a Ctrl+Z.
void SetBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}
