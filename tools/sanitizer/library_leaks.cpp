// Leaks of system libraries that the leak checker of sanitized builds is
// told are theirs; linked into every program of such a build.
//  - spd_open2 (libspeechd) loses the text of a failed start of the service
//    when it then fails to connect, made by glib's printf, which this
//    program never calls itself; without frame pointers in glib the stack
//    ends at vasprintf.
//  - libdbus, loaded by SDL, keeps a buffer that only SDL_Quit frees; a
//    program whose display went away cannot call SDL_Quit.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:spd_open2\nleak:vasprintf\nleak:libdbus-1.so\n";
}
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
