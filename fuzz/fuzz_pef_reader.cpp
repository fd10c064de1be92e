// Feeds arbitrary bytes to the PEF reader, and a document it accepts to the
// PEF embossing and the PEF writer, as a received PEF goes to the embosser
// or is written again.
#include <cstdint>
#include <string>
#include <string_view>

#include "braille/code_table.h"
#include "braille/embosser_pages.h"
#include "braille/job_user.h"
#include "braille/output_sink.h"
#include "formats/pef_embossing.h"
#include "formats/pef_reader.h"
#include "formats/pef_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  LooksLikePef(bytes);
  PefBook book;
  PefProblem problem;
  if (!ReadPef(bytes, book, problem)) return 0;
  const CodeTable table;
  NobodyJobUser nobody;
  std::string device;
  MemorySink memory(device);
  EmbosserPages embosser(table, memory);
  EmbossPefBook(book, 1, 9999, embosser, nobody);
  std::string written;
  MemorySink file(written);
  PefPages pef(table, false, PageSize{34, 28}, PefDescription{book.title, "fuzz", "2026-01-01", true}, file);
  EmbossPefBook(book, 2, 5, pef, nobody);
  pef.Finish();
  PefBook again;
  if (!ReadPef(written, again, problem)) __builtin_trap();
  return 0;
}
