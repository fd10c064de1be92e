// What relevix-cli tells a user who asks for help, plays a file that is no
// sound, sets RELEVIX_AUDIO wrongly or writes settings that make no sense.
#include <gtest/gtest.h>

#include <string>

#include "tests/cli_run.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

class CliMessagesTest : public ::testing::Test {
 protected:
  CliResult Run(const std::string& environment, const std::string& arguments, bool mergeStderr = true) {
    return RunCli(work.path(), "SONARA_WINDIR='" + windir.path() + "' " + environment, arguments, mergeStderr);
  }

  TempDir work, windir;
};

TEST_F(CliMessagesTest, HelpIsAnAnswerNotAMistake) {
  for (const char* option : {"--help", "-h"}) {
    const CliResult help = Run("RELEVIX_AUDIO=null", option, false);
    EXPECT_EQ(help.status, 0) << option;
    // The usage, on standard output, naming every command.
    EXPECT_EQ(help.output.rfind("Uso: relevix-cli COMANDO", 0), 0u) << help.output;
    EXPECT_NE(help.output.find("  preview "), std::string::npos) << help.output;
  }
  const CliResult wrong = Run("RELEVIX_AUDIO=null", "--ajuda", false);
  EXPECT_EQ(wrong.status, 64);
  EXPECT_EQ(wrong.output, "");
}

TEST_F(CliMessagesTest, PlayTellsAMissingFileFromOneThatIsNoSound) {
  WriteFile(work.File("texto.wav"), "isto n\xC3\xA3o \xC3\xA9 som, apenas texto com o nome errado\n");
  const CliResult notWav = Run("RELEVIX_AUDIO=null", "play texto.wav");
  EXPECT_EQ(notWav.status, 1);
  EXPECT_NE(notWav.output.find("N\xC3\xA3o \xC3\xA9 um arquivo de som WAV: texto.wav\n"), std::string::npos)
      << notWav.output;
  const CliResult missing = Run("RELEVIX_AUDIO=null", "play sumiu.wav");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.output.find("Arquivo n\xC3\xA3o foi achado: sumiu.wav\n"), std::string::npos) << missing.output;
}

TEST_F(CliMessagesTest, AnAudioSettingThatCannotWorkIsSaid) {
  // A recording into a folder that is not there, or onto a full disk: the
  // command fails, saying where and why.
  const CliResult noFolder = Run("RELEVIX_AUDIO=wav:" + work.File("sem/pasta/fala.wav"), "speak ola");
  EXPECT_EQ(noFolder.status, 74);
  EXPECT_NE(noFolder.output.find("N\xC3\xA3o foi poss\xC3\xADvel gravar o som: " + work.File("sem/pasta/fala.wav") +
                                 ": a pasta n\xC3\xA3o existe\n"),
            std::string::npos)
      << noFolder.output;
  const CliResult full = Run("RELEVIX_AUDIO=wav:/dev/full", "speak ola");
  EXPECT_EQ(full.status, 74);
  EXPECT_NE(full.output.find("/dev/full: disco cheio\n"), std::string::npos) << full.output;

  // A value that names no output: said with the valid ones; the command
  // still does its work (on the sound card).
  const CliResult unknown = Run("RELEVIX_AUDIO=wave:fala.wav SDL_AUDIODRIVER=dummy", "transcribe a");
  EXPECT_EQ(unknown.status, 0);
  EXPECT_NE(unknown.output.find("Valor desconhecido em RELEVIX_AUDIO: wave:fala.wav\n"
                                "Valores v\xC3\xA1lidos: sdl, null, null:ARQUIVO, wav:ARQUIVO.\n"),
            std::string::npos)
      << unknown.output;

  // A good recording is a valid WAV file with sound in it.
  const CliResult good = Run("RELEVIX_AUDIO=wav:" + work.File("fala.wav"), "speak ola");
  EXPECT_EQ(good.status, 0) << good.output;
  EXPECT_FALSE(testing_support::WavSamples(ReadFile(work.File("fala.wav"))).empty());
}

TEST_F(CliMessagesTest, SettingsThatMakeNoSenseAreShownAndWarnedOf) {
  WriteFile(work.File("SONARA.INI"), "[RELEVIX]\nCOLUNAS=0\nLINHAS=99999999999\nDISPSAIDA=saida.brf\n");
  const CliResult settings = Run("RELEVIX_AUDIO=null", "settings --settings SONARA.INI");
  EXPECT_NE(settings.output.find("COLUNAS=2   (escrito 0, sem sentido)\n"), std::string::npos) << settings.output;
  EXPECT_NE(settings.output.find("LINHAS=28   (escrito 99999999999, sem sentido)\n"), std::string::npos)
      << settings.output;

  WriteFile(work.File("texto.txt"), "ab\n");
  const CliResult print = Run("RELEVIX_AUDIO=null", "print --settings SONARA.INI texto.txt");
  EXPECT_EQ(print.status, 0) << print.output;
  const std::string warning = "Valor sem sentido na configura\xC3\xA7\xC3\xA3o, trocado: COLUNAS=0, usado 2\n";
  const std::size_t at = print.output.find(warning);
  EXPECT_NE(at, std::string::npos) << print.output;
  EXPECT_EQ(print.output.find(warning, at + 1), std::string::npos) << "said once";
  EXPECT_NE(print.output.find("LINHAS=99999999999, usado 28\n"), std::string::npos) << print.output;
}

}  // namespace
