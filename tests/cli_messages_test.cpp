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

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST_F(CliMessagesTest, HelpIsAnAnswerNotAMistake) {
  // The usage, on standard output, naming every command.
  const std::string usage = Utf8(
      u8"Uso: relevix-cli COMANDO [OPÇÕES]\n"
      u8"  print [--settings ARQUIVO] [--device NOME] [--format bytes|brf|pef|unicode] [--copies N] [--pages A-B]\n"
      u8"        [--first-number N] [--title TEXTO] [--sheets-per-volume N] [--volume K] ARQUIVO   imprime o arquivo (texto, documento ou PEF) em Braille\n"
      u8"  preview [--settings ARQUIVO] [--pages A-B] [--sheets-per-volume N] [--volume K] [--display] ARQUIVO\n"
      u8"        mostra em Braille Unicode (ou, com --display, na linha Braille) as páginas do texto ou de um PEF\n"
      u8"  convert [--settings ARQUIVO] ARQUIVO   mostra o texto com comandos de formatação que a impressão lê\n"
      u8"        (um documento convertido)\n"
      u8"  transcribe [--old] [--english] TEXTO   mostra a transcrição Braille do texto\n"
      u8"  queue [--settings ARQUIVO] --name FILA --device URI   cria no CUPS uma fila de impressão Braille\n"
      u8"        (o PPD com os valores da configuração e o filtro relevix-cups)\n"
      u8"  ppd [--settings ARQUIVO]   mostra o PPD da fila de impressão Braille, com os valores da configuração\n"
      u8"  settings [--settings ARQUIVO]   mostra a configuração de impressão em uso\n"
      u8"  speak [--settings ARQUIVO] TEXTO   fala o texto como o programa fala\n"
      u8"  speak-translator [--settings ARQUIVO] [--show] TEXTO   fala o texto pelo tradutor de difones\n"
      u8"  normalise [--settings ARQUIVO] TEXTO   mostra o texto normalizado (números e sinais por extenso)\n"
      u8"  phonemes [--settings ARQUIVO] TEXTO   mostra as linhas de fonemas que o MBROLA recebe\n"
      u8"  play ARQUIVO.wav   toca um arquivo de som\n"
      u8"  speak-engine [--settings ARQUIVO] [--wav ARQUIVO] [--rate N] [--pitch N] TEXTO   fala o texto pela máquina portuguesa com o MBROLA\n"
      u8"  linha [--texto INICIAL] [--linhas N] [--tela ARQUIVO]   pede um nome de arquivo (ou edita o texto) no\n"
      u8"        editor de linha falado e mostra TEXTO= e TECLA=\n"
      u8"  teclado   mostra os códigos de cada tecla (ESC duas vezes termina)\n");
  for (const char* option : {"--help", "-h"}) {
    const CliResult help = Run("RELEVIX_AUDIO=null", option, false);
    EXPECT_EQ(help.status, 0) << option;
    EXPECT_EQ(help.output, usage) << option;
  }
  const CliResult wrong = Run("RELEVIX_AUDIO=null", "--ajuda", false);
  EXPECT_EQ(wrong.status, 64);
  EXPECT_EQ(wrong.output, "");
  // The same usage, on standard error, for a command that is not there.
  EXPECT_EQ(Run("RELEVIX_AUDIO=null", "--ajuda").output, usage);
}

TEST_F(CliMessagesTest, ACommandCalledTheWrongWayShowsItsUsage) {
  struct Case {
    const char* arguments;
    const char8_t* output;
  };
  const Case cases[] = {
      {"play", u8"Uso: relevix-cli play ARQUIVO.wav\n"},
      {"teclado demais", u8"Uso: relevix-cli teclado\n"},
      {"speak", u8"Uso: relevix-cli speak [--settings ARQUIVO] TEXTO\n"},
      {"speak --settings", u8"Falta o valor da opção --settings\nUso: relevix-cli speak [--settings ARQUIVO] TEXTO\n"},
      {"speak-translator --show", u8"Uso: relevix-cli speak-translator [--settings ARQUIVO] [--show] TEXTO\n"},
      {"normalise", u8"Uso: relevix-cli normalise [--settings ARQUIVO] TEXTO\n"},
      {"phonemes", u8"Uso: relevix-cli phonemes [--settings ARQUIVO] TEXTO\n"},
      {"speak-engine --wav",
       u8"Falta o valor da opção --wav\n"
       u8"Uso: relevix-cli speak-engine [--settings ARQUIVO] [--wav ARQUIVO] [--rate N] [--pitch N] TEXTO\n"},
      {"speak-engine", u8"Uso: relevix-cli speak-engine [--settings ARQUIVO] [--wav ARQUIVO] [--rate N] [--pitch N] TEXTO\n"},
      // Rate and pitch go from -10 to 10, as speech-dispatcher's module hands them over.
      {"speak-engine --rate 11 Oi",
       u8"Valor inválido para --rate: 11\n"
       u8"Uso: relevix-cli speak-engine [--settings ARQUIVO] [--wav ARQUIVO] [--rate N] [--pitch N] TEXTO\n"},
      {"speak-engine --pitch baixo Oi",
       u8"Valor inválido para --pitch: baixo\n"
       u8"Uso: relevix-cli speak-engine [--settings ARQUIVO] [--wav ARQUIVO] [--rate N] [--pitch N] TEXTO\n"},
      {"linha demais", u8"Uso: relevix-cli linha [--texto INICIAL] [--linhas N] [--tela ARQUIVO]\n"},
      {"linha --linhas 26",
       u8"O número de linhas do seletor de arquivos vai de 1 a 25: 26\n"
       u8"Uso: relevix-cli linha [--texto INICIAL] [--linhas N] [--tela ARQUIVO]\n"},
      {"linha --tela nada.txt",
       u8"O arquivo da tela não pôde ser lido: nada.txt\n"
       u8"Uso: relevix-cli linha [--texto INICIAL] [--linhas N] [--tela ARQUIVO]\n"},
  };
  for (const Case& c : cases) {
    const CliResult result = Run("RELEVIX_AUDIO=null RELEVIX_CONSOLE=headless", c.arguments);
    EXPECT_EQ(result.status, 64) << c.arguments;
    EXPECT_EQ(result.output, Utf8(c.output)) << c.arguments;
  }
}

TEST_F(CliMessagesTest, ThePrintCommandsSayWhatIsWrongAndTheirUsage) {
  const std::string printUsage = Utf8(
      u8"Uso: relevix-cli print [--settings ARQUIVO] [--device NOME] [--format bytes|brf|pef|unicode] [--copies N] [--pages A-B] "
      u8"[--first-number N] [--title TEXTO] [--sheets-per-volume N] [--volume K] ARQUIVO\n");
  const std::string previewUsage = "Uso: relevix-cli preview [--settings ARQUIVO] [--pages A-B] [--sheets-per-volume N] [--volume K] [--display] ARQUIVO\n";
  const std::string transcribeUsage = "Uso: relevix-cli transcribe [--old] [--english] TEXTO\n";
  struct Case {
    const char* arguments;
    std::string output;
  };
  const Case cases[] = {
      {"print", Utf8(u8"Falta o nome do arquivo a imprimir.\n") + printUsage},
      {"print --copies duas texto.txt", Utf8(u8"Valor inválido para --copies: duas\n") + printUsage},
      {"print texto.txt outro.txt", Utf8(u8"Argumento inesperado: texto.txt\n") + printUsage},
      {"preview --pages 3 texto.txt", Utf8(u8"Intervalo de páginas inválido (use A-B): 3\n") + previewUsage},
      {"preview --pages", Utf8(u8"Falta o valor da opção --pages\n") + previewUsage},
      {"transcribe --old", Utf8(u8"Falta o texto.\n") + transcribeUsage},
      {"transcribe um dois", Utf8(u8"Argumento inesperado: dois\n") + transcribeUsage},
      {"settings demais", "Uso: relevix-cli settings [--settings ARQUIVO]\n"},
  };
  for (const Case& c : cases) {
    const CliResult result = Run("RELEVIX_AUDIO=null", c.arguments);
    EXPECT_EQ(result.status, 64) << c.arguments;
    EXPECT_EQ(result.output, c.output) << c.arguments;
  }
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
  EXPECT_NE(settings.output.find("COLUNAS=34   (escrito 0, sem sentido)\n"), std::string::npos) << settings.output;
  EXPECT_NE(settings.output.find("LINHAS=28   (escrito 99999999999, sem sentido)\n"), std::string::npos)
      << settings.output;

  WriteFile(work.File("texto.txt"), "ab\n");
  const CliResult print = Run("RELEVIX_AUDIO=null", "print --settings SONARA.INI texto.txt");
  EXPECT_EQ(print.status, 0) << print.output;
  const std::string warning = "Valor sem sentido na configura\xC3\xA7\xC3\xA3o, trocado: COLUNAS=0, usado 34\n";
  const std::size_t at = print.output.find(warning);
  EXPECT_NE(at, std::string::npos) << print.output;
  EXPECT_EQ(print.output.find(warning, at + 1), std::string::npos) << "said once";
  EXPECT_NE(print.output.find("LINHAS=99999999999, usado 28\n"), std::string::npos) << print.output;
}

}  // namespace
