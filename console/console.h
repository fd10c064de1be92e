// The program's console output. Until a window host is attached, text goes
// to a stream (standard error by default) as UTF-8; the command-line tool
// keeps this stream host.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Writes Windows-1252 text at the cursor (a "\r\n" or "\n" ends the line).
void WriteToConsole(std::string_view text);
// Writes count line ends.
void WriteLineEnds(int count);
// Makes what was written visible before speech starts.
void FlushConsole();

// Waits for and returns one key. The stream host reads it from a terminal
// on standard input; with no terminal there is no one to answer, and the
// key is ESC (27).
int ReadKey();

// Waits the given number of milliseconds.
void Delay(int milliseconds);

// Tests replace where ReadKey takes its keys and how Delay waits; a null
// function gives the console's own back.
void SetKeySource(int (*source)());
void SetDelayHandler(void (*handler)(int milliseconds));

// Chooses the stream of the stream host (stderr unless changed).
void SetConsoleStream(std::FILE* stream);

// Ends the program in order: the end-of-program hook, the console, then the
// process with the given exit status.
[[noreturn]] void EndConsoleProgram(int exitStatus = 0);

// A function run once by EndConsoleProgram before the process ends.
void SetEndOfProgramHook(void (*hook)());
