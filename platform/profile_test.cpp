#include "platform/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr char kMissing[] = "<ausente>";

std::string Read(const std::string& file, std::string_view section, std::string_view key) {
  return ReadProfileString(file, section, key, kMissing, 255);
}

TEST(ProfileTest, ReadsWithWin32Semantics) {
  TempDir dir;
  const std::string file = dir.File("SONARA.INI");
  WriteFile(file,
            "ANTES=0\n"
            "; comentario\n"
            "[ Geral ]\n"
            "Nome = Valor com espacos \t\n"
            "\n"
            "[RELEVIX]\n"
            "colunas=32\n"
            "COLUNAS=40\n"
            " \tLinhas =\t28\t\n"
            "TITULO=\"  Meu t\xEDtulo  \"\n"
            "OUTRO='aspas'\n"
            "MISTO=\"ab'\n"
            "VAZIO=\n"
            "IGUAL=a=b\n"
            "  ;COMENTADO=1\n"
            "a\xE7\xE3o=sim\n"
            "[relevix]\n"
            "EXTRA=1\n");
  EXPECT_EQ(Read(file, "Geral", "NOME"), "Valor com espacos");
  EXPECT_EQ(Read(file, "RELEVIX", "COLUNAS"), "32");  // first of two wins
  EXPECT_EQ(Read(file, "relevix", "linhas"), "28");
  EXPECT_EQ(Read(file, "RELEVIX", "TITULO"), "  Meu t\xEDtulo  ");
  EXPECT_EQ(Read(file, "RELEVIX", "OUTRO"), "aspas");
  EXPECT_EQ(Read(file, "RELEVIX", "MISTO"), "\"ab'");
  EXPECT_EQ(Read(file, "RELEVIX", "VAZIO"), "");
  EXPECT_EQ(Read(file, "RELEVIX", "IGUAL"), "a=b");
  EXPECT_EQ(Read(file, "RELEVIX", "A\xC7\xC3O"), "sim");  // Windows-1252 upper-casing
  EXPECT_EQ(Read(file, "RELEVIX", "COMENTADO"), kMissing);
  EXPECT_EQ(Read(file, "RELEVIX", "EXTRA"), kMissing);  // second [relevix] is not read
  EXPECT_EQ(Read(file, "RELEVIX", "ANTES"), kMissing);  // before any section
  EXPECT_EQ(Read(file, "RELEVIX", "NOME"), kMissing);
  EXPECT_EQ(Read(file, "FALTA", "COLUNAS"), kMissing);
  EXPECT_EQ(Read(dir.File("nao_existe.ini"), "RELEVIX", "COLUNAS"), kMissing);
  EXPECT_EQ(Read(dir.path(), "RELEVIX", "COLUNAS"), kMissing);  // a directory
  ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);
  EXPECT_EQ(Read(dir.File("fifo"), "RELEVIX", "COLUNAS"), kMissing);  // no wait for a writer
}

TEST(ProfileTest, AcceptsEveryLineEnd) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  WriteFile(file, "[A]\r\nCRLF=1\r\n[B]\rCR=2\r[C]\nLF=3\n\r\n\rFIM=4");
  EXPECT_EQ(Read(file, "A", "CRLF"), "1");
  EXPECT_EQ(Read(file, "B", "CR"), "2");
  EXPECT_EQ(Read(file, "C", "LF"), "3");
  EXPECT_EQ(Read(file, "C", "FIM"), "4");
}

TEST(ProfileTest, CutsValuesToTheBuffer) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  const std::string longValue(300, 'x');
  WriteFile(file, "[A]\nLONGO=" + longValue + "\n");
  EXPECT_EQ(ReadProfileString(file, "A", "LONGO", "", 255), std::string(255, 'x'));
  EXPECT_EQ(ReadProfileString(file, "A", "LONGO", "", 0), "");
  EXPECT_EQ(ReadProfileString(file, "A", "FALTA", "padrao", 3), "pad");
}

TEST(ProfileTest, SurvivesBinaryFiles) {
  TempDir dir;
  const std::string file = dir.File("lixo.ini");
  std::mt19937 random(12345);
  std::string garbage;
  for (int i = 0; i < 20000; ++i) garbage += static_cast<char>(random() & 0xFF);
  garbage += std::string("\0\0[\0]\n=\n[", 9);
  WriteFile(file, garbage + "\n[SECAO_FINAL]\nCHAVE=a" + std::string(1, '\0') + "b\n");
  EXPECT_EQ(Read(file, "SECAO_FINAL", "CHAVE"), std::string("a\0b", 3));
  EXPECT_EQ(Read(file, "SECAO_FINAL", "OUTRA"), kMissing);
  EXPECT_TRUE(WriteProfileString(file, "SECAO_FINAL", "OUTRA", "1"));
  EXPECT_EQ(Read(file, "SECAO_FINAL", "OUTRA"), "1");
  EXPECT_EQ(ReadFile(file).substr(0, garbage.size()), garbage);
}

TEST(ProfileTest, ReplacesKeyKeepingEveryOtherByte) {
  TempDir dir;
  const std::string file = dir.File("SONARA.INI");
  const std::string before =
      "; configuracao\n"
      "[RELEVIX]\n"
      "  colunas = 32   \n"
      "COLUNAS=40\n"
      "\tDISPSAIDA = COM1 ; porta\n"
      "[OUTRA]\n"
      "DISPSAIDA=X\n";
  WriteFile(file, before);
  EXPECT_TRUE(WriteProfileString(file, "relevix", "DispSaida", "LPT1"));
  EXPECT_TRUE(WriteProfileString(file, "RELEVIX", "Colunas", "36"));
  EXPECT_EQ(ReadFile(file),
            "; configuracao\n"
            "[RELEVIX]\n"
            "Colunas=36\n"
            "COLUNAS=40\n"
            "DispSaida=LPT1\n"
            "[OUTRA]\n"
            "DISPSAIDA=X\n");
}

TEST(ProfileTest, KeepsCrLfFiles) {
  TempDir dir;
  const std::string file = dir.File("SONARA.INI");
  WriteFile(file,
            "[RELEVIX]\r\n"
            "COLUNAS=32\r\n"
            "; fim da secao\r\n"
            "\r\n"
            "[SONARA]\r\n"
            "PGMSONARA=c:\\sonarw");
  EXPECT_TRUE(WriteProfileString(file, "RELEVIX", "COLUNAS", "28"));
  EXPECT_TRUE(WriteProfileString(file, "RELEVIX", "DISPSAIDA", "PRN"));
  EXPECT_TRUE(WriteProfileString(file, "SONARA", "NOVA", "1"));
  EXPECT_TRUE(WriteProfileString(file, "VIDEO", "FONTE", "Lucida Console"));
  EXPECT_EQ(ReadFile(file),
            "[RELEVIX]\r\n"
            "COLUNAS=28\r\n"
            "; fim da secao\r\n"
            "DISPSAIDA=PRN\r\n"
            "\r\n"
            "[SONARA]\r\n"
            "PGMSONARA=c:\\sonarw\r\n"
            "NOVA=1\r\n"
            "[VIDEO]\r\n"
            "FONTE=Lucida Console\r\n");
}

TEST(ProfileTest, AddsKeysWithTheFileOwnLineEnd) {
  TempDir dir;
  const std::string lf = dir.File("lf.ini");
  WriteFile(lf, "[A]\nx=1\n\n[B]\n[C]\ny=2");
  EXPECT_TRUE(WriteProfileString(lf, "A", "z", "3"));
  EXPECT_TRUE(WriteProfileString(lf, "B", "w", "4"));
  EXPECT_TRUE(WriteProfileString(lf, "D", "v", "5"));
  EXPECT_EQ(ReadFile(lf), "[A]\nx=1\nz=3\n\n[B]\nw=4\n[C]\ny=2\n[D]\nv=5\n");

  const std::string cr = dir.File("cr.ini");
  WriteFile(cr, "[A]\rx=1");
  EXPECT_TRUE(WriteProfileString(cr, "A", "y", "2"));
  EXPECT_EQ(ReadFile(cr), "[A]\rx=1\ry=2");
}

TEST(ProfileTest, CreatesFileAndDirectories) {
  TempDir dir;
  const std::string file = dir.path() + "/novo/sub/SONARA.INI";
  EXPECT_TRUE(WriteProfileString(file, "RELEVIX", "DISPSAIDA", "LPT1"));
  EXPECT_EQ(ReadFile(file), "[RELEVIX]\nDISPSAIDA=LPT1\n");
  // A Windows-1252 name becomes a UTF-8 name on disk.
  EXPECT_TRUE(WriteProfileString(dir.path() + "/a\xE7\xE3o.ini", "A", "K", "v"));
  EXPECT_TRUE(std::filesystem::exists(dir.File("a\xC3\xA7\xC3\xA3o.ini")));
}

TEST(ProfileTest, KeepsModeAndSymbolicLinks) {
  TempDir dir;
  const std::string real = dir.File("real.ini");
  const std::string link = dir.File("link.ini");
  WriteFile(real, "[A]\nK=1\n");
  ASSERT_EQ(chmod(real.c_str(), 0640), 0);
  std::filesystem::create_symlink(real, link);
  EXPECT_TRUE(WriteProfileString(link, "A", "K", "2"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFile(real), "[A]\nK=2\n");
  struct stat status {};
  ASSERT_EQ(stat(real.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST(ProfileTest, FailsWithoutHarm) {
  TempDir dir;
  const std::string file = dir.File("a.ini");
  const std::string before = "[A]\nK=1\n";
  WriteFile(file, before);
  // Line breaks would add lines of their own; names that cannot be read back.
  EXPECT_FALSE(WriteProfileString(file, "A", "K", "2\n[B]\nX=1"));
  EXPECT_FALSE(WriteProfileString(file, "A]", "K", "2"));
  EXPECT_FALSE(WriteProfileString(file, "A", "K=J", "2"));
  EXPECT_FALSE(WriteProfileString(file, "A", " ;K", "2"));
  EXPECT_EQ(ReadFile(file), before);
  // Paths that cannot hold the file.
  EXPECT_FALSE(WriteProfileString(file + "/b.ini", "A", "K", "2"));
  EXPECT_FALSE(WriteProfileString(dir.path(), "A", "K", "2"));
  EXPECT_EQ(ReadFile(file), before);
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1u);  // no temporary file left behind
}

}  // namespace

TEST(ProfileUtf8, AFileSavedAsUtf8IsReadAndWrittenAsUtf8) {
  testing_support::TempDir dir;
  const std::string file = dir.File("utf8.ini");
  // "saída" and "ç" in UTF-8, with a byte-order mark, as a Linux editor may save it.
  testing_support::WriteFile(file, "\xEF\xBB\xBF[RELEVIX]\nDISPSAIDA=sa\xC3\xAD" "da.brf\nT\xC3\x8DTULO=a\xC3\xA7\xC3\xA3o\n");
  EXPECT_EQ(ReadProfileString(file, "RELEVIX", "DISPSAIDA", "", 255), "sa\xED" "da.brf");
  EXPECT_EQ(ReadProfileString(file, "relevix", "t\xEDtulo", "", 255), "a\xE7\xE3o");

  ASSERT_TRUE(WriteProfileString(file, "RELEVIX", "DISPSAIDA", "c\xF3pia.brf"));
  EXPECT_EQ(testing_support::ReadFile(file),
            "\xEF\xBB\xBF[RELEVIX]\nDISPSAIDA=c\xC3\xB3pia.brf\nT\xC3\x8DTULO=a\xC3\xA7\xC3\xA3o\n");

  // A Windows-1252 file stays Windows-1252.
  const std::string ansi = dir.File("ansi.ini");
  testing_support::WriteFile(ansi, "[RELEVIX]\nDISPSAIDA=sa\xED" "da\n");
  ASSERT_TRUE(WriteProfileString(ansi, "RELEVIX", "TITULO", "a\xE7\xE3o"));
  EXPECT_EQ(testing_support::ReadFile(ansi), "[RELEVIX]\nDISPSAIDA=sa\xED" "da\nTITULO=a\xE7\xE3o\n");
}
