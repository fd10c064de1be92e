// The print settings: the record of layout and output parameters a print
// job runs with, read from section RELEVIX of the suite settings file.
#pragma once

#include <string>
#include <vector>

struct PrintSettings {
  std::string DISPSAIDA;        // output device name
  int COLUNAS = 34;             // characters per line
  int LINHAS = 28;              // lines per page
  bool FRENTEVERSO = false;     // front and back (interpoint)
  bool AUTOFORMATA = false;     // automatic reformatting
  bool TEXTODOEDIT = false;     // text typed in the DOS editor (OEM)
  bool TITULA = false;          // titles and numbering
  bool NUMERAORIG = false;      // print-edition page numbers in the header
  int TITULOATRAS = 1;          // title mode: 0 none, 1 front only, 2 both sides
  bool AFASTACABECPAR = false;  // shift even-page headers right
  bool TEXTOINGLES = false;     // English-style capitals and emphasis
  bool headerEnglishStyle = false;  // English style while a header is transcribed
  bool SEPARASILABAS = false;   // syllable separation at line ends
  int LINHASPORMINUTO = 0;      // pacing: pause in milliseconds after each line
  bool USABRAILLEANTIGO = false;  // old Braille rules
  std::string AMBCODE;          // code table file, old rules
  std::string AMBCODE2;         // code table file, current rules
  int BRNCOP = 1;               // number of copies
  int BRPAGINI = 1;             // first page to emboss
  int BRPAGFIN = 9999;          // last page to emboss
  int BRNUMINI = 1;             // number printed on the first page
  std::string BRTIT;            // title
};

// A setting whose written value made no sense (not a number, past 32 bits,
// fewer than two columns, a negative count), and the value used instead.
struct ReplacedSetting {
  std::string key;
  std::string written;
  int used = 0;
};

// The settings as the settings file gives them; replaced receives, in the
// order of the keys, every written value that made no sense.
PrintSettings ReadPrintSettings(std::vector<ReplacedSetting>& replaced);

// The pagination made consistent: with pagination a page range or first
// number of 0 or less becomes 1 to 9999 and 1; lines per page 0 means no
// pagination (30000 lines).
void NormalisePagination(PrintSettings& settings);

// Number rule: true and the value when the whole text is an optional sign
// and decimal digits that fit in 32 bits.
bool ParseSettingsInteger(const std::string& text, int& value);
