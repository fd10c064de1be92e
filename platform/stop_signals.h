// Ctrl+C (SIGINT), SIGTERM and SIGHUP ask the program to stop. The handler
// only records the signal and writes one byte to a pipe; a thread of its own
// reads that byte and calls the waker, so a wait that sleeps until an event
// wakes up, and the main thread then ends the program in order at its next
// event pump. SDL is told to leave these signals alone.
#pragma once

// Installs the handlers (once; later calls do nothing). Call before SDL
// starts.
void InstallStopSignals();
// The first stop signal received, or 0.
int StopSignalReceived();
// Called on the watcher thread after each stop signal (null for none).
void SetStopSignalWaker(void (*waker)());
// The exit status of a program ended by the signal: 128 + its number.
int StopSignalExitStatus(int signalNumber);
// Forgets a received signal (tests).
void ResetStopSignal();
