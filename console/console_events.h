// Events that reach the main thread's waits: buffer-done reports of the
// audio output (posted from its own thread) and wake-up calls. Every wait of
// the program (for a key, for speech to end, Delay) pumps them together
// with the window's own events, so the handlers run on the main thread only.
#pragma once

// Any thread: a finished audio buffer (its slot number).
void PostAudioDone(int slot);
// Any thread: wakes a wait without anything else to do.
void PostWakeUp();

// Main thread: the audio-done slot. While a handler is installed, every
// audio-done event pumped is passed to it; with none they are dropped.
void SetAudioDoneHandler(void (*handler)(int slot));

// Main thread: a second source of keys (the Braille display), asked for its
// keys at every pump; null for none.
void SetInputSource(void (*source)());

// Main thread: handles every pending event (window events of the host,
// audio-done reports, the second source's keys).
void PumpMessages();

// Main thread: waits until an event is pending or the time has passed, then
// pumps. A negative time waits without limit.
void WaitForMessages(int milliseconds);

// For hosts. The function that makes the host's own wait return (called
// from any thread after each post; null for none), and the wait for posted
// events alone.
void SetEventWaker(void (*waker)());
void WaitForPostedEvents(int milliseconds);
