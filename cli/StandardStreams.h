#pragma once

// Makes standard input and output carry bytes as they are: no line-end
// translation and no end-of-file character, so that CR LF stays CR LF.
// Each platform has its own (StandardStreamsPosix.cpp, StandardStreamsWindows.cpp).
void SetBinaryStandardStreams();
