#include "console/sdl_font.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>

#include "platform/message_texts.h"
#include "platform/text_encoding.h"

namespace {

constexpr int kBaseDpi = 72;

struct FontMatch {
  std::string file;
  bool monospaced = false;
  bool bold = false;
};

FontMatch MatchFont(const std::string& familyUtf8, int weight) {
  FontMatch match;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(familyUtf8.c_str()));
  FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
  FcPatternAddDouble(pattern, FC_WEIGHT, FcWeightFromOpenTypeDouble(std::clamp(weight, 1, 1000)));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* found = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (found == nullptr) return match;
  FcChar8* file = nullptr;
  int spacing = FC_PROPORTIONAL;
  double foundWeight = FC_WEIGHT_REGULAR;
  if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch) match.file = reinterpret_cast<char*>(file);
  FcPatternGetInteger(found, FC_SPACING, 0, &spacing);
  FcPatternGetDouble(found, FC_WEIGHT, 0, &foundWeight);
  match.monospaced = spacing >= FC_MONO;
  match.bold = foundWeight >= FC_WEIGHT_DEMIBOLD;
  FcPatternDestroy(found);
  return match;
}

int AdvanceOfM(TTF_Font* font) {
  int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
  TTF_GlyphMetrics32(font, 'M', &minX, &maxX, &minY, &maxY, &advance);
  return advance;
}

int ScaledDpi(int wanted, int measured) {
  return measured > 0 ? std::max(1, static_cast<int>(std::lround(double(kBaseDpi) * wanted / measured))) : kBaseDpi;
}

}  // namespace

std::string FindMonospacedFontFile(const std::string& face, int weight, bool& bold) {
  if (FcInit() == FcFalse) return {};
  std::string file;
  for (const std::string& family : {Utf8FromWindows1252(face), std::string("DejaVu Sans Mono"), std::string("monospace")}) {
    const FontMatch match = MatchFont(family, weight);
    if (match.monospaced && !match.file.empty()) {
      bold = match.bold;
      file = match.file;
      break;
    }
  }
  // Matching is done once per window; the configuration is not kept.
  FcFini();
  return file;
}

bool OpenConsoleFont(const VideoSettings& settings, int workAreaWidth, int workAreaHeight, ConsoleFont& font,
                     std::string& error) {
  const int width = settings.characterWidth > 0 ? settings.characterWidth : DefaultCharacterWidth(workAreaWidth);
  const int height = settings.characterHeight > 0 ? settings.characterHeight : DefaultCharacterHeight(workAreaHeight);
  bool boldFile = false;
  const std::string file = FindMonospacedFontFile(settings.fontFace, settings.fontWeight, boldFile);
  if (file.empty()) {
    error = GetMessage("FONTENAO");
    return false;
  }
  if (TTF_WasInit() == 0 && TTF_Init() != 0) {
    error = GetMessageWith("FONTEINI", {Windows1252FromUtf8(TTF_GetError())});
    return false;
  }
  const int pointSize = std::max(height, 1);
  font.font = TTF_OpenFontDPI(file.c_str(), pointSize, kBaseDpi, kBaseDpi);
  if (font.font == nullptr) {
    error = GetMessageWith("FONTEABR", {Windows1252FromUtf8(file), Windows1252FromUtf8(TTF_GetError())});
    return false;
  }
  // Stretched so that its height and its character width are those asked
  // for.
  TTF_SetFontSizeDPI(font.font, pointSize, ScaledDpi(std::max(width, 1), AdvanceOfM(font.font)),
                     ScaledDpi(pointSize, TTF_FontHeight(font.font)));
  if (settings.fontWeight >= 600 && !boldFile) TTF_SetFontStyle(font.font, TTF_STYLE_BOLD);
  TTF_SetFontKerning(font.font, 0);
  font.cellWidth = std::max(AdvanceOfM(font.font), 1);
  font.lineHeight = std::max(TTF_FontLineSkip(font.font), 1);
  font.ascent = TTF_FontAscent(font.font);
  return true;
}

void CloseConsoleFont(ConsoleFont& font) {
  if (font.font != nullptr) TTF_CloseFont(font.font);
  font = ConsoleFont{};
}
