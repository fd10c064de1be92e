// Test helper: a private settings directory whose SONARA.INI holds the given
// lines of section RELEVIX, in force for the helper's lifetime.
#pragma once

#include <string>
#include <string_view>

#include "tests/support/test_support.h"

class RelevixSettingsForTest {
 public:
  explicit RelevixSettingsForTest(std::string_view relevixLines = {})
      : windowsDirectory_("SONARA_WINDIR", directory_.path().c_str()) {
    testing_support::WriteFile(directory_.File("SONARA.INI"), "[RELEVIX]\n" + std::string(relevixLines));
  }

 private:
  testing_support::TempDir directory_;
  testing_support::ScopedEnv windowsDirectory_;
};
