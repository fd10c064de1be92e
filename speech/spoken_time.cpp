// The clock time and the date, said from number pieces and named pieces.
#include <array>
#include <chrono>
#include <ctime>
#include <string>

#include "speech/speech.h"
#include "speech/spoken_numbers.h"

namespace {

// Piece names without the leading "_"; at most 7 characters, as pieces are.
constexpr std::array<std::string_view, 7> kWeekdays{"Domingo", "Segunda", "Terca", "Quarta",
                                                    "Quinta",  "Sexta",   "Sabado"};
constexpr std::array<std::string_view, 12> kMonths{"Janeiro", "Feverei", "Marco",   "Abril",   "Maio",    "Junho",
                                                   "Julho",   "Agosto",  "Setembr", "Outubro", "Novembr", "Dezembr"};
constexpr int kCentury = 2000;

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

void PlayPiece(std::string_view name) { PlayMessageSound("_" + std::string(name)); }

}  // namespace

void SpeakTime(int hours, int minutes) {
  SpeakNumberWords(NumberToWords(static_cast<unsigned>(hours)), true);
  PlayMessageSound(hours < 2 ? "_hora" : "_horas");
  if (minutes == 0) return;
  SpeakNumberWords(NumberToWords(static_cast<unsigned>(minutes)), false);
  PlayMessageSound(minutes < 2 ? "_minuto" : "_minutos");
}

void SpeakCurrentTime() {
  const std::tm now = LocalNow();
  SpeakTime(now.tm_hour, now.tm_min);
}

void SpeakDate(int day, int month, int year) {
  if (month < 1 || month > 12) return;
  using namespace std::chrono;
  // A day past the month's end counts on into the next, as the calendar does.
  const sys_days date =
      sys_days(std::chrono::year(year) / std::chrono::month(static_cast<unsigned>(month)) / 1) + days(day - 1);
  PlayPiece(kWeekdays[weekday(date).c_encoding()]);
  if (day == 1) {
    PlayMessageSound("_primeir");
  } else {
    SpeakNumberWords(NumberToWords(static_cast<unsigned>(day)), false);
  }
  PlayMessageSound("_de");
  PlayPiece(kMonths[static_cast<std::size_t>(month - 1)]);
  PlayMessageSound("_de");
  if (year >= kCentury) SpeakNumberWords(NumberToWords(kCentury), false);
  if (year > kCentury) PlayMessageSound("_e");
  if (year % 100 != 0) SpeakNumberWords(NumberToWords(static_cast<unsigned>(year % 100)), false);
}

void SpeakCurrentDate() {
  const std::tm now = LocalNow();
  SpeakDate(now.tm_mday, now.tm_mon + 1, now.tm_year + 1900);
}
