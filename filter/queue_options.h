// The choices a Braille embosser queue offers for each job: the print
// settings a teacher changes from one job to the next, named in the queue's
// PPD and in `lp -o` by their settings keys (COLUNAS=32, FRENTEVERSO=S), and
// read by the same rules as in SONARA.INI; the page range as the print
// server's own option; the job's title for the headers when the queue says so.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "braille/print_settings.h"

// A setting a queue offers: its key, the message key of its label in print
// dialogues, and for a number the choices listed, lowest to highest by step
// (a job may give others); a text setting lists its words (choices,
// blank-separated).
struct QueueSetting {
  std::string_view key;
  std::string_view labelKey;
  int lowest = 0;
  int highest = 0;
  std::string_view choices = {};
  int step = 1;
};

// The settings a queue offers, in the order its PPD lists them.
std::span<const QueueSetting> QueueSettings();

// The option that puts the job's title in the page headers (S or N).
inline constexpr std::string_view kJobTitleOption = "TITULODOTRABALHO";

struct QueueOption {
  std::string name;
  std::string value;
};

// Applies the options, in order, to settings: the queue's settings keys by
// their settings rule (a value that makes no sense goes to replaced and the
// setting keeps its value), "page-ranges" ("7", "3-9", "5-"), and the job's
// title (jobTitle) when kJobTitleOption is S. Other options are the print
// server's and are left alone. False, with the reason in Portuguese
// (Windows-1252), for a page range that is not one range of pages or an
// output format that is none of the queue's.
bool ApplyQueueOptions(std::span<const QueueOption> options, std::string_view jobTitle, PrintSettings& settings,
                       std::vector<ReplacedSetting>& replaced, std::string& error);
