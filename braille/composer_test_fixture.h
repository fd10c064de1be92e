// What the composer and command tests share: default settings with an
// identity code table, copies of a text printed by one print job into
// memory, what the job told its user, and small helpers to spell the
// expected byte streams.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "braille/code_table.h"
#include "braille/input_file.h"
#include "braille/job_user_test_support.h"
#include "braille/output_sink.h"
#include "braille/print_job.h"
#include "braille/print_settings.h"
#include "tests/support/test_support.h"

namespace composer_testing {

inline const std::string kFF = "\f";
inline const std::string kEsc = "\x1b";

// A body or header line as the device receives it.
inline std::string L(std::string_view cells) { return std::string(cells) + "\r\n"; }
inline std::string Blanks(int count) { return std::string(static_cast<std::size_t>(count), ' '); }

using job_user_testing::RecordingUser;

class ComposerTest : public ::testing::Test {
 protected:
  // Prints copies of text with one job into memory; what memory received.
  std::string Print(std::string_view text, int copies = 1) {
    const std::string input = dir_.File("texto.txt");
    testing_support::WriteFile(input, text);
    std::string received;
    MemorySink memory(received);
    user_ = RecordingUser{};
    PrintJob job(printSettings, codeTable, memory, user_);
    for (int copy = 0; copy < copies; ++copy) {
      InputFile file;
      EXPECT_TRUE(file.Open(input));
      job.PrintCopy(file);
    }
    composerState = job.State();
    return received;
  }

  bool Noticed(std::string_view notice) const {
    for (const std::string& n : user_.notices) {
      if (n == notice) return true;
    }
    return false;
  }

  PrintSettings printSettings;
  CodeTable codeTable;
  RecordingUser user_;           // what the last Print told its user
  ComposerState composerState;   // as the last Print left it
  testing_support::TempDir dir_;
};

}  // namespace composer_testing
