#include "speech/service_voices.h"

#include <algorithm>
#include <cctype>

namespace {

enum class VoiceGroup { kBrazilian, kPortuguese, kOther };

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

// "pt", "pt-BR", "pt_br", "pt-PT": the language before the region is "pt".
VoiceGroup GroupOf(const std::string& language) {
  if (!StartsWithIgnoringCase(language, "pt")) return VoiceGroup::kOther;
  if (language.size() == 2) return VoiceGroup::kPortuguese;
  if (language[2] != '-' && language[2] != '_') return VoiceGroup::kOther;
  return StartsWithIgnoringCase(language.substr(3), "br") ? VoiceGroup::kBrazilian : VoiceGroup::kPortuguese;
}

}  // namespace

std::vector<ServiceVoice> NumberedServiceVoices(std::vector<ServiceVoice> voices) {
  std::stable_sort(voices.begin(), voices.end(), [](const ServiceVoice& a, const ServiceVoice& b) {
    return GroupOf(a.language) < GroupOf(b.language);
  });
  return voices;
}

ServiceVoiceChoice ChooseServiceVoice(std::size_t count, int number, int rate) {
  if (number < 1 || static_cast<std::size_t>(number) > count) return {0, 0};
  return {static_cast<std::size_t>(number - 1), rate};
}
