// The programs installed under a prefix chosen at install time, as a user
// installs them (cmake --install --prefix), and the installed tree moved to
// another folder: the data is found beside the programs; without it, the
// talking program says where it looked and ends with a status of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/cli_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(InstalledTree, AMovedInstallationSpeaksAndPrintsAndMissingDataIsSaid) {
  TempDir place;
  const std::string prefix = place.File("prefixo");
  const CliResult install = RunShell("cmake --install '" RELEVIX_BINARY_DIR "' --prefix '" + prefix + "'");
  ASSERT_EQ(install.status, 0) << install.output;
  // Everything under the prefix, the engine's data too.
  EXPECT_TRUE(std::filesystem::exists(prefix + "/share/sonara/tavelatts/portug.nrl"));
  EXPECT_TRUE(std::filesystem::exists(prefix + "/share/sonara/som/relevix/BRFIMTRA.wav"));
  const std::string moved = place.File("movido");
  std::filesystem::rename(prefix, moved);

  WriteFile(place.File("texto.txt"), "Era uma vez.\n");
  WriteFile(place.File("teclas.txt"), "WAIT 2000 ENTER WAIT 500 ENTER");
  // The data directory is what the program finds, not what the test sets.
  const std::string run = "cd '" + place.path() + "' && env -u RELEVIX_DATA_DIR HOME='" + place.path() +
                          "' SONARA_WINDIR='" + place.File("config") +
                          "' RELEVIX_CONSOLE=headless RELEVIX_KEYS=teclas.txt RELEVIX_SCREEN_DUMP=tela.txt "
                          "RELEVIX_AUDIO=null:ouvido.log '" + moved + "/bin/relevix' texto.txt";
  const CliResult spoken = RunShell(run);
  EXPECT_EQ(spoken.status, 0) << spoken.output << ReadFile(place.File("tela.txt"));
  // The farewell is its recording, found in the moved tree.
  EXPECT_NE(ReadFile(place.File("ouvido.log")).find(moved + "/share/sonara/som/relevix/BRFIMTRA.wav"),
            std::string::npos)
      << ReadFile(place.File("ouvido.log"));
  EXPECT_FALSE(ReadFile(place.File("saida.brf")).empty());

  // The print server's filter, under lib/cups/filter, finds the same
  // installed settings and tables, and the queue's PPD is beside the data.
  const CliResult filtered = RunShell("env -u RELEVIX_DATA_DIR '" + moved + "/lib/cups/filter/relevix-cups' 7 ana carta 1 '' '" +
                                          place.File("texto.txt") + "' > '" + place.File("filtro.brf") + "'",
                                      false);
  EXPECT_EQ(filtered.status, 0) << filtered.output;
  EXPECT_EQ(ReadFile(place.File("filtro.brf")), ReadFile(place.File("saida.brf")));
  EXPECT_TRUE(std::filesystem::exists(moved + "/share/ppd/relevix/relevix-braille.ppd"));

  std::filesystem::rename(moved + "/share", moved + "/outro");
  const CliResult missing = RunShell(run);
  EXPECT_EQ(missing.status, 72) << missing.output;
  const std::string said = "Os dados do programa n\xC3\xA3o foram achados; procurados em " + moved + "/share/sonara";
  EXPECT_NE(missing.output.find(said), std::string::npos) << missing.output;
  EXPECT_NE(ReadFile(place.File("tela.txt")).find(said.substr(0, 40)), std::string::npos);
}

}  // namespace
