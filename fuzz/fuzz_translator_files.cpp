// Loads arbitrary bytes as the diphone translator's rule file, exception
// list and unit index, then uses what was loaded as the translator does.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_input_file.h"
#include "tts/diphone_index.h"
#include "tts/translator_rules.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::MakeInputFile();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::WriteInputFile(data, size);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  TranslatorRules rules;
  if (!LoadTranslatorRules(fuzzing::InputPath(), rules)) std::abort();
  for (const char* word : {"casa", "ch\xE3o", "AGUA", "", "x", "#"}) ApplyTranslatorRules(rules, word);
  ApplyTranslatorRules(rules, bytes.substr(0, 64));

  TranslatorExceptions exceptions;
  if (!LoadTranslatorExceptions(fuzzing::InputPath(), exceptions)) std::abort();
  for (const char* word : {"casas", "ms", "s", ""}) LookupTranslatorException(exceptions, word);
  LookupTranslatorException(exceptions, bytes.substr(0, 32));

  // Every record of the index is found again by its name.
  const auto records = ParseDiphoneIndex(bytes);
  for (const DiphoneRecord& record : records) {
    const DiphoneRecord* found = FindDiphone(records, record.name);
    if (found == nullptr || found->name != record.name) std::abort();
  }
  return 0;
}
