#include <gtest/gtest.h>

#include "tts/translator_test_support.h"

namespace {

using translator_testing::AskedUnits;
using TranslatorTranscribeTest = translator_testing::RealVoiceTest;

struct Transcription {
  const char* text;  // Windows-1252
  const char* phonetic;
};

void ExpectTranscriptions(std::initializer_list<Transcription> cases) {
  for (const auto& [text, phonetic] : cases) EXPECT_EQ(TranslatorTranscribe(text), phonetic) << text;
}

TEST_F(TranslatorTranscribeTest, SpelledWords) {
  ExpectTranscriptions({
      {"RS", "[ /_r][ /_s]"},
      {"SP, RJ.", "[ /_s][ /_p][ /_,][ /_r][ /_j][ /_.]"},
      {"y", "[ /_y]"},  // a Y standing alone stays a consonant
      {"\x01", "[ /_\x01]"},
      {"5", "[ /_5]"},  // no rule: spelled in upper case
      {"%", "[ /_%]"},
  });
}

TEST_F(TranslatorTranscribeTest, StressFromAccentsOrTheAutomaton) {
  ExpectTranscriptions({
      {"casa", "[ k/A/ z/a]"},
      {"caf\xE9", "[ k/a/ f/E]"},
      {"sal", "[ s/A/w]"},     // one vowel and a final l
      {"mar", "[ m/a/rr]"},    // one vowel: no mark
      {"CIDADE", "[ s/i/ d/A/ dj/i]"},
      {"  Bom   DIA ", "[ b/o^][ dj/I/ a]"},
      {"guarda-chuva", "[ gw/A/rr/ d/a][][ x/U/ v/a]"},
  });
}

TEST_F(TranslatorTranscribeTest, NasalsAndDiphthongs) {
  ExpectTranscriptions({
      {"cora\xE7\xE3o", "[ k/o/ r/a/ s/A~w]"}, {"m\xE3" "e", "[ m/A~y]"},      {"p\xF5" "e", "[ p/O~y]"},
      {"falam", "[ f/A/ l/a~w]"},              {"bem", "[ b/e~y]"},               {"homens", "[/O/ m/e~ys]"},
      {"tamb\xE9m", "[ t/a^/ b/E~y]"},         {"quando", "[ kw/A^/ d/u]"},       {"tinta", "[ tch/In/ t/a]"},
      {"mundo", "[ m/U^/ d/u]"},               {"pai", "[ p/A/y]"},               {"c\xE9u", "[ s/E/w]"},
      {"dia", "[ dj/I/ a]"},                   {"sair", "[ s/a/ I/rr]"},          {"rainha", "[ rr/a/ I/ nh/a]"},
      {"sa\xFA" "de", "[ s/a/ U/ dj/i]"},      {"ci\xEAncia", "[ s/i/ E^/ s/i/ a]"}, {"saiu", "[ s/a/ I/w]"},
  });
}

TEST_F(TranslatorTranscribeTest, ConsonantSpellings) {
  ExpectTranscriptions({
      {"chave", "[ x/A/ v/i]"},      {"filho", "[ f/I/ ly/u]"},      {"ninho", "[ n/I/ nh/u]"},
      {"carro", "[ k/A/ rr/u]"},     {"rato", "[ rr/A/ t/u]"},       {"honra", "[/O^/ rr/a]"},
      {"passo", "[ p/A/ s/u]"},      {"gente", "[ j/E^/ tch/i]"},    {"guerra", "[ g/E/ rr/a]"},
      {"\xE1" "gua", "[A/ gw/a]"},   {"nascer", "[ n/a/ s/E/rr]"},   {"hoje", "[/O/ j/i]"},
      {"Brasil", "[b/ r/a/ z/I/w]"}, {"exame", "[e/ z/A/ m/i]"},     {"texto", "[ t/E/s/ t/u]"},
      {"exceto", "[e/ s/E/ t/u]"},   {"x\xED" "cara", "[ x/I/ k/a/ r/a]"}, {"t\xF3rax", "[ t/O/ r/a/ks]"},
  });
}

TEST_F(TranslatorTranscribeTest, ExceptionsRespellWordsAndTheirPlurals) {
  ExpectTranscriptions({
      {"muitas", "[ m/U~/y/ t/a/s]"},
      {"t\xE1xi", "[ t/A/k/ s/i]"},
      {"pr\xF3ximo", "[p/ r/O/ s/i/ m/u]"},
      {"porque", "[ p/o/rr/ k/E]"},
      {"ruim", "[ rr/u/ I^]"},
  });
}

// "ção" goes to the index as "$SACIRC" and then one unit, "$AWTIL", in
// which vowel, glide and nasal mark are reordered.
TEST_F(TranslatorTranscribeTest, CaoReachesTheIndexAsOneReorderedUnit) {
  SetTranslatorUnitObserver(translator_testing::NoteUnit);
  TranslatorSpeak(TranslatorTranscribe("cora\xE7\xE3o"), false);
  EXPECT_EQ(AskedUnits(), (std::vector<std::string>{"$KO", "$RA", "$SACIRC", "$AWTIL"}));
}

}  // namespace
