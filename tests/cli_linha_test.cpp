// relevix-cli linha driven through the headless console host: keys go in
// as a script, the result and the key that ended the field come out, and
// the screen dump shows what the window showed.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/cli_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

class CliLineTest : public ::testing::Test {
 protected:
  CliResult Run(const std::string& script, const std::string& arguments) {
    WriteFile(work.File("teclas.txt"), script);
    return RunCli(work.path(),
                  "SONARA_WINDIR='" + windir.path() + "' RELEVIX_CONSOLE=headless RELEVIX_AUDIO=null:/dev/null "
                  "RELEVIX_KEYS=teclas.txt RELEVIX_SCREEN_DUMP=tela.txt",
                  "linha " + arguments, false);
  }

  TempDir work, windir;
};

TEST_F(CliLineTest, TheChooserGivesTheRealNameOfTheFileChosen) {
  for (const char* name : {"docs/\xC3\x81rvore.txt", "docs/banana.TXT", "docs/\xE6\x97\xA5\xE6\x9C\xAC.txt"}) {
    std::filesystem::create_directories(work.File("docs"));
    WriteFile(work.File(name), "x");
  }
  // "docs" is a folder: Down opens the chooser in it. The name with no
  // Windows-1252 form ("??.txt") comes first, then Árvore and banana.
  CliResult result = Run("\"docs\" DOWN DOWN ENTER\n", "--linhas 5");
  ASSERT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(result.output, "TEXTO=docs/\xC3\x81rvore.txt\nTECLA=80\n");
  result = Run("\"docs\" DOWN ENTER\n", "");
  EXPECT_EQ(result.output, "TEXTO=docs/\xE6\x97\xA5\xE6\x9C\xAC.txt\nTECLA=80\n");
  // A typed name with Enter needs no chooser; Esc gives nothing.
  result = Run("\"carta.txt\" ENTER\n", "");
  EXPECT_EQ(result.output, "TEXTO=carta.txt\nTECLA=13\n");
  result = Run("ESC\n", "");
  EXPECT_EQ(result.output, "TEXTO=\nTECLA=27\n");
}

TEST_F(CliLineTest, TheEditorActsOnKeysWithTheModifiersTheyWerePressedWith) {
  WriteFile(work.File("fundo.txt"), "Primeira linha da tela\nSegunda com a\xC3\xA7\xC3\xA3o\n");
  // Shift+End selects to the end; Delete removes the selection.
  CliResult result = Run("RIGHT SHIFT+END DELETE ENTER\n", "--texto \"ol\xC3\xA1 mundo\"");
  ASSERT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(result.output, "TEXTO=o\nTECLA=13\n");
  // Screen review comes and goes; then editing goes on.
  result = Run("END \"!\" ALT+CTRL+F9 WAIT 300 ESC WAIT 300 ENTER\n", "--texto \"ol\xC3\xA1 mundo\" --tela fundo.txt");
  EXPECT_EQ(result.output, "TEXTO=ol\xC3\xA1 mundo!\nTECLA=13\n");
  const std::string screen = ReadFile(work.File("tela.txt"));
  EXPECT_TRUE(screen.starts_with("Primeira linha da tela\nSegunda com a\xC3\xA7\xC3\xA3o\nol\xC3\xA1 mundo!\n")) << screen;
  result = Run("UP\n", "--texto nada");
  EXPECT_EQ(result.output, "TEXTO=nada\nTECLA=72\n");
}

TEST_F(CliLineTest, WrongOptionsAreRefusedWithTheUsage) {
  for (const char* arguments : {"--linhas 0", "--linhas x", "--tela sem-arquivo.txt", "--texto", "demais"}) {
    const CliResult result = Run("ENTER\n", arguments);
    EXPECT_EQ(result.status, 64) << arguments;
  }
}

}  // namespace
