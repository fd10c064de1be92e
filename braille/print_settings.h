// The print settings: the record of layout and output parameters a print
// job runs with, read from section RELEVIX of the suite settings file. The
// record and the table of its settings are made from
// data/ajustes_impressao.txt, which says what each setting is, its default,
// how it is read and which question of the dialogue asks it.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "braille/print_settings_fields.h"

enum class SettingKind { kText, kNumber, kYesno, kTitles, kPacing, kTable, kDerived };

// One setting: its key, how it is written, its default as written in the
// table, its limit (the smallest number that makes sense, or the width of a
// text answer), its question's message key and place in the dialogue (0:
// not asked), whether the settings file gives it, and its field (one of the
// three pointers, by the kind of value).
struct PrintSettingRow {
  std::string_view key;
  SettingKind kind;
  std::string_view defaultValue;
  int limit;
  std::string_view question;
  int formPlace;
  bool inFile;
  std::string PrintSettings::* text;
  int PrintSettings::* number;
  bool PrintSettings::* yesNo;
};

// Every setting, in the order of the table.
std::span<const PrintSettingRow> PrintSettingRows();
// The setting of that key; nullptr when there is none.
const PrintSettingRow* FindPrintSetting(std::string_view key);

// A setting whose written value made no sense (not a number, past 32 bits,
// fewer than two columns, a negative count), and the value used instead.
struct ReplacedSetting {
  std::string key;
  std::string written;
  int used = 0;
};

// Sets one setting from its written value, by the rules of its kind, as the
// settings file's reading does; a value that makes no sense is added to
// replaced and the setting left as it was.
void SetPrintSetting(const PrintSettingRow& row, const std::string& written, PrintSettings& settings,
                     std::vector<ReplacedSetting>& replaced);

// The settings as the settings file gives them; replaced receives, in the
// order of the keys, every written value that made no sense.
PrintSettings ReadPrintSettings(std::vector<ReplacedSetting>& replaced);

// The pagination made consistent: with pagination a page range or first
// number of 0 or less becomes 1 to 9999 and 1; lines per page 0 means no
// pagination (30000 lines); volumes of one sheet, which would hold only
// their title page, are of two.
void NormalisePagination(PrintSettings& settings);

// Number rule: true and the value when the whole text is an optional sign
// and decimal digits that fit in 32 bits.
bool ParseSettingsInteger(const std::string& text, int& value);
