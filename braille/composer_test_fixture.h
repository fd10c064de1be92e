// What the composer and command tests share: default settings with an
// identity code table, one copy printed from a text into memory or a
// file device, and small helpers to spell the expected byte streams.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "braille/brImprim.h"
#include "braille/code_table.h"
#include "braille/input_file.h"
#include "braille/print_settings.h"
#include "console/console.h"
#include "devices/brdevice.h"
#include "tests/support/test_support.h"

namespace composer_testing {

inline const std::string kFF = "\f";
inline const std::string kEsc = "\x1b";

// A body or header line as the device receives it.
inline std::string L(std::string_view cells) { return std::string(cells) + "\r\n"; }
inline std::string Blanks(int count) { return std::string(static_cast<std::size_t>(count), ' '); }

inline void UseIdentityCodeTable() {
  for (int i = 0; i < 256; ++i) CodeTable[i] = static_cast<unsigned char>(i);
}

class ComposerTest : public ::testing::Test {
 protected:
  void SetUp() override { Restore(); }
  void TearDown() override { Restore(); }

  static void Restore() {
    ResetPrintSettings();
    UseIdentityCodeTable();
    SetKeySource(nullptr);
    SetDelayHandler(nullptr);
  }

  // Prints copies of text into memory, or into the file device named device
  // when one is given; what memory received.
  std::string Print(std::string_view text, int copies = 1, const std::string& device = {}) {
    const std::string input = dir_.File("texto.txt");
    testing_support::WriteFile(input, text);
    testing_support::ConsoleCapture capture;
    std::string received;
    if (device.empty()) DirectNextDeviceToMemory(received);
    EXPECT_TRUE(DeviceOpen(device.empty() ? "memoria" : device));
    for (int copy = 0; copy < copies; ++copy) {
      EXPECT_TRUE(OpenInputFile(input));
      PrintCopy();
      CloseInputFile();
    }
    DeviceClose();
    console_ = capture.Text();
    return received;
  }
  testing_support::TempDir dir_;
  std::string console_;  // what the copies wrote on the console (UTF-8)
};

}  // namespace composer_testing
