// How the program numbers the voices of the system speech service: Brazilian
// Portuguese voices first, then the other Portuguese ones, then the rest,
// each group in the service's own order, so that voice 1 speaks Portuguese
// whenever the service has such a voice.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct ServiceVoice {
  std::string name;
  std::string language;  // as the service gives it: "pt-BR", "pt", "en-US"...
};

std::vector<ServiceVoice> NumberedServiceVoices(std::vector<ServiceVoice> voices);

struct ServiceVoiceChoice {
  std::size_t index = 0;  // into the numbered list
  int rate = 0;
};

// Voice number n (1 is the first) of count voices at the given rate. A
// number outside 1..count takes the first voice and the rate 0.
ServiceVoiceChoice ChooseServiceVoice(std::size_t count, int number, int rate);
