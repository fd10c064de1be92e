// relevix-cli teclado driven from outside through the headless console host:
// a key script goes in, the codes of the keys come out, and the screen dump
// shows what the window showed.
#include <gtest/gtest.h>

#include <string>

#include "tests/cli_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

class CliKeyboardTest : public ::testing::Test {
 protected:
  CliResult Run(const std::string& script) {
    WriteFile(work.File("teclas.txt"), script);
    return RunCli(work.path(),
                  "SONARA_WINDIR='" + windir.path() + "' RELEVIX_CONSOLE=headless RELEVIX_AUDIO=null:/dev/null "
                  "RELEVIX_KEYS=teclas.txt RELEVIX_SCREEN_DUMP=tela.txt",
                  "teclado", false);
  }

  TempDir work, windir;
};

TEST_F(CliKeyboardTest, ShowsTheCodesOfEveryKey) {
  const CliResult result = Run("F1 CTRL+LEFT \"a\xC3\xA7\" CTRL+ENTER ESC ESC\n");
  ASSERT_EQ(result.status, 0) << result.output;
  // F1 is 0 59, Ctrl+Left 0 115, "ç" the Windows-1252 byte 231, Ctrl+Enter 10.
  EXPECT_EQ(result.output, "0 59\n0 115\n97\n231\n10\n27\n27\n");
  const std::string screen = ReadFile(work.File("tela.txt"));
  EXPECT_NE(screen.find("0 59\n0 115\n97\n231\n10\n27\n27\n"), std::string::npos) << screen;
}

TEST_F(CliKeyboardTest, TheChordKeyboardEntersBraille) {
  WriteFile(windir.File("SONARA.INI"), "[BRAILLE]\nMODO=2\n");
  // Dots 1 2 give b; the number sign (3 4 5 6) then dot 1 give the digit 1;
  // the capital sign (4 6) then dots 1 3 5 give O.
  const CliResult result = Run("CHORD F+D CHORD S+J+K+L CHORD F CHORD J+L CHORD F+S+K ESC ESC\n");
  ASSERT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(result.output, "98\n49\n79\n27\n27\n");
}

}  // namespace
