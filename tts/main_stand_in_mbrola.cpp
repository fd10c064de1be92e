// A stand-in for the mbrola program, for tests: `stand_in_mbrola [-e]
// DATABASE - -` reads phoneme lines ("NAME DURATION_MS [...]") on standard
// input and writes, per phoneme, DURATION_MS of 16 kHz 16-bit samples:
// silence for "_", a 200 Hz square wave otherwise. A "#" line flushes; ';'
// starts a comment. A phoneme named "die" ends the program at once; one named
// "gap" stands for a diphone the voice lacks: it ends the program as mbrola's
// fatal error does, unless -e asked for recovery, when it is silence. Exits 1
// when DATABASE is not a readable file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

int main(int argc, char** argv) {
  int first = 1;
  const bool recover = argc > 1 && std::strcmp(argv[1], "-e") == 0;
  if (recover) ++first;
  if (argc <= first) return 2;
  std::FILE* voice = std::fopen(argv[first], "rb");
  if (voice == nullptr) return 1;
  std::fclose(voice);
  char line[1024];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    char name[64];
    int duration = 0;
    if (line[0] == '#') {
      std::fflush(stdout);
      continue;
    }
    if (line[0] == ';' || std::sscanf(line, "%63s %d", name, &duration) != 2) continue;
    if (std::strcmp(name, "die") == 0 || (std::strcmp(name, "gap") == 0 && !recover)) std::_Exit(3);
    std::vector<short> samples(static_cast<size_t>(duration) * 16);
    if (std::strcmp(name, "_") != 0 && std::strcmp(name, "gap") != 0) {
      for (size_t i = 0; i < samples.size(); ++i) samples[i] = (i / 40) % 2 == 0 ? 8000 : -8000;
    }
    std::fwrite(samples.data(), sizeof(short), samples.size(), stdout);
  }
  return 0;
}
