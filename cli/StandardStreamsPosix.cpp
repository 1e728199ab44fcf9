#include "cli/StandardStreams.h"

// POSIX streams never translate.
void SetBinaryStandardStreams() {}
