#include "filter/queue_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Applied {
  PrintSettings settings;
  std::vector<ReplacedSetting> replaced;
  std::string error;
  bool ok = false;
};

Applied Apply(const std::vector<QueueOption>& options, std::string_view title = "Relatório") {
  Applied applied;
  applied.ok = ApplyQueueOptions(options, title, applied.settings, applied.replaced, applied.error);
  return applied;
}

TEST(QueueOptions, TheQueuesSettingsFollowTheRulesOfTheSettingsFile) {
  // Later options win: the job's own over the PPD's defaults.
  Applied applied = Apply({{"COLUNAS", "34"},
                           {"COLUNAS", "28"},
                           {"LINHAS", "25"},
                           {"FRENTEVERSO", "S"},
                           {"SEPARASILABAS", "sim"},
                           {"USABRAILLEANTIGO", "N"},
                           {"TEXTOINGLES", "Não"}});
  ASSERT_TRUE(applied.ok);
  EXPECT_EQ(applied.settings.COLUNAS, 28);
  EXPECT_EQ(applied.settings.LINHAS, 25);
  EXPECT_TRUE(applied.settings.FRENTEVERSO);
  EXPECT_TRUE(applied.settings.SEPARASILABAS);
  EXPECT_FALSE(applied.settings.USABRAILLEANTIGO);
  EXPECT_FALSE(applied.settings.TEXTOINGLES);
  EXPECT_TRUE(applied.replaced.empty());

  // A line of one cell cannot be cut, and "x" is no number: both keep what
  // was there, and are reported.
  applied = Apply({{"COLUNAS", "1"}, {"LINHAS", "x"}});
  ASSERT_TRUE(applied.ok);
  EXPECT_EQ(applied.settings.COLUNAS, PrintSettings{}.COLUNAS);
  EXPECT_EQ(applied.settings.LINHAS, PrintSettings{}.LINHAS);
  ASSERT_EQ(applied.replaced.size(), 2u);
  EXPECT_EQ(applied.replaced[0].key, "COLUNAS");
  EXPECT_EQ(applied.replaced[1].written, "x");

  // Settings a queue does not offer, and the server's own options, are left
  // alone: a job cannot send the Braille to another device.
  applied = Apply({{"DISPSAIDA", "/etc/passwd"}, {"AMBCODE2", "/tmp/x.cfg"}, {"number-up", "2"}, {"BRNCOP", "9"}});
  ASSERT_TRUE(applied.ok);
  EXPECT_EQ(applied.settings.DISPSAIDA, PrintSettings{}.DISPSAIDA);
  EXPECT_EQ(applied.settings.AMBCODE2, PrintSettings{}.AMBCODE2);
  EXPECT_EQ(applied.settings.BRNCOP, 1);
}

TEST(QueueOptions, PageRangesAreOneRunOfPages) {
  Applied applied = Apply({{"page-ranges", "3-9"}});
  ASSERT_TRUE(applied.ok);
  EXPECT_EQ(applied.settings.BRPAGINI, 3);
  EXPECT_EQ(applied.settings.BRPAGFIN, 9);

  applied = Apply({{"page-ranges", "7"}});
  ASSERT_TRUE(applied.ok);
  EXPECT_EQ(applied.settings.BRPAGINI, 7);
  EXPECT_EQ(applied.settings.BRPAGFIN, 7);

  applied = Apply({{"page-ranges", "5-"}});
  ASSERT_TRUE(applied.ok);
  EXPECT_EQ(applied.settings.BRPAGINI, 5);
  EXPECT_EQ(applied.settings.BRPAGFIN, 9999);

  for (const char* bad : {"1-3,7", "9-2", "0-4", "-4", "a-b", ""}) {
    applied = Apply({{"page-ranges", bad}});
    EXPECT_FALSE(applied.ok) << bad;
    EXPECT_NE(applied.error.find(std::string("Intervalo de p\xE1ginas que n\xE3o sei usar: ") + bad), std::string::npos)
        << applied.error;
  }
}

TEST(QueueOptions, TheOutputFormatIsOneTheQueueKnows) {
  Applied applied = Apply({{"FORMATO", "pef"}});
  ASSERT_TRUE(applied.ok);
  EXPECT_EQ(applied.settings.FORMATO, "pef");
  applied = Apply({{"FORMATO", "braille"}});
  EXPECT_FALSE(applied.ok);
  EXPECT_EQ(applied.error, "Formato de sa\xED" "da desconhecido: braille (use bytes, brf, pef ou unicode)");
}

TEST(QueueOptions, TheJobsTitleGoesInTheHeadersOnlyWhenTheQueueSaysSo) {
  EXPECT_EQ(Apply({{std::string(kJobTitleOption), "N"}}).settings.BRTIT, "");
  EXPECT_EQ(Apply({}).settings.BRTIT, "");
  EXPECT_EQ(Apply({{std::string(kJobTitleOption), "S"}}).settings.BRTIT, "Relatório");
  // As long as the dialogue's title may be: 80 characters.
  const std::string longTitle(120, 'a');
  EXPECT_EQ(Apply({{std::string(kJobTitleOption), "S"}}, longTitle).settings.BRTIT, std::string(80, 'a'));
}

}  // namespace
