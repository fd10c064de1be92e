// The program's console: the 80 x 25 text window with its keyboard, or,
// until the program binds its text to the window, a stream (standard error
// by default) that receives the text as UTF-8; the command-line tool keeps
// the stream. Text is Windows-1252 bytes throughout.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "console/key_codes.h"  // the keys as ReadKey gives them
#include "console/key_queue.h"

// The window's size in character cells.
inline constexpr int kColumns = 80;
inline constexpr int kRows = 25;

// Program start: the program's text output and input go to the console
// window from now on. The window is made on first use; its title is the
// program's path, and the end of the program is looked after (screen dump,
// "Programa terminado").
void BindConsoleWindow();

// Writes text at the cursor: 7 beeps, 8 rubs out the character to the left,
// 10 starts the next line, 13 goes to column 1, 32..255 are shown; other
// control bytes are ignored. The stream gets the text as UTF-8.
void WriteToConsole(std::string_view text);
// Writes count line ends.
void WriteLineEnds(int count);
// Makes what was written visible before speech starts.
void FlushConsole();

// Waits for and returns one key. The stream host reads it from a terminal
// on standard input; with no terminal there is no one to answer, and the
// key is ESC (27).
int ReadKey();

// Reads a line with echo until Enter; backspace rubs out; extended keys
// and other control keys are ignored. At most capacity - 2 characters are
// kept; the result ends with "\r\n".
std::string ReadConsoleLine(int capacity = 128);

// Waits the given number of milliseconds, then handles pending events.
void Delay(int milliseconds);

// Tests replace where ReadKey takes its keys and how Delay waits; a null
// function gives the console's own back. A source may add kKeyWithShift and
// kKeyWithAlt to a key: it was pressed with those held (LastKeyModifiers).
inline constexpr int kKeyWithShift = 0x100;
inline constexpr int kKeyWithAlt = 0x200;
void SetKeySource(int (*source)());
void SetDelayHandler(void (*handler)(int milliseconds));

// Chooses the stream of the stream host (stderr unless changed).
void SetConsoleStream(std::FILE* stream);

// Cursor position, 1-based; MoveCursor clamps to the grid.
void MoveCursor(int column, int row);
int CursorColumn();
int CursorRow();

// Blanks every cell with the current attribute and puts the cursor home.
void ClearWindow();
// Blanks from the cursor to the end of its row.
void ClearToLineEnd();

// The character or attribute byte of a cell, 1-based (clamped to the grid).
unsigned char ScreenCharAt(int column, int row);
unsigned char ScreenAttributeAt(int column, int row);

// Foreground (low nibble) and background (high nibble) of the text
// attribute; ignored when the settings fix the colours (CORESFIXAS).
void SetTextColour(int index);
void SetBackgroundColour(int index);
// The whole attribute, to put it back after a change of colours.
unsigned char TextAttribute();
void SetTextAttribute(unsigned char attribute);

void SetConsoleTitle(std::string_view title);

// A looping square-wave tone; frequencies outside 1..11025 Hz give silence.
void StartTone(int frequency);
void StopTone();

// The clipboard as Windows-1252 text. Paste copies at most capacity - 1
// characters; with capacity 0, or when the clipboard cannot be used, the
// buffer is left as it was.
void CopyTextToClipboard(std::string_view text);
void PasteTextFromClipboard(std::string& buffer, int capacity);

// The six-key Braille keyboard: 0 off, 1 chords, 2 chords with number and
// capital signs; above 2 means 1. Each switch is signalled by tones.
void SetBrailleKeyboardMode(int mode);

// Ends the program in order: the end-of-program hook, the queued keys
// dropped, the window closed, the screen dump, then the process with the
// given exit status.
[[noreturn]] void EndConsoleProgram(int exitStatus = 0);

// A function run once by EndConsoleProgram before the process ends.
void SetEndOfProgramHook(void (*hook)());

// The exit status when the user closes the window (or its display goes
// away) before the program has ended: 0 unless the program, busy with
// something that would then be left unfinished, says otherwise.
void SetWindowCloseStatus(int exitStatus);

// Ctrl+C, SIGTERM and SIGHUP stop speech and end the program in order at the
// next event pump (every wait pumps). By default the program ends with 128 +
// the signal's number; a program that lives in its window ends as when the
// user closes it (the close status, "Impressão incompleta" and all).
void HandleStopSignals(bool endAsWindowClose);
