// The stream host: what the console does until the program binds its text
// to the window. Internal to the console.
#pragma once

#include <string_view>

void StreamWrite(std::string_view text);
void StreamLineEnds(int count);
void StreamFlush();
// One key from a terminal on standard input; ESC when there is none.
int StreamReadKey();
