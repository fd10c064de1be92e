#include "formats/text_pages.h"

#include <string_view>

#include "braille/braille_cells.h"
#include "braille/output_sink.h"

namespace {

// North American Braille ASCII, indexed by dot pattern: the upper-case
// letters and signs that .brf files and Braille displays use.
constexpr std::string_view kBrailleAscii =
    " A1B'K2L@CIF/MSP\"E3H9O6R^DJG>NTQ,*5<-U8V.%[$+X!&;:4\\0Z7(_?W]#Y)=";
static_assert(kBrailleAscii.size() == 64);

}  // namespace

char BrailleAsciiOf(unsigned char pattern) { return kBrailleAscii[pattern & 0x3F]; }

bool BrfPages::Row(const CellPatterns& cells) {
  std::string line;
  line.reserve(cells.size() + 2);
  for (const unsigned char pattern : cells) line += BrailleAsciiOf(pattern);
  line += "\r\n";
  return output_.Write(line);
}

void BrfPages::ClosePage() { output_.Write("\f"); }

void BrfPages::BlankBackPage() {
  BeginPage();
  Row({});
  EndPage();
}

std::string BrfPages::Problem() const { return output_.Problem(); }

void UnicodePages::OpenPage() {
  if (!firstPage_) output_.Write("\f");
  firstPage_ = false;
}

bool UnicodePages::Row(const CellPatterns& cells) {
  std::string line;
  line.reserve(cells.size() * 3 + 1);
  for (const unsigned char pattern : cells) AppendUnicodeCell(line, pattern);
  line += '\n';
  return output_.Write(line);
}

std::string UnicodePages::Problem() const { return output_.Problem(); }
