#include "catalogue/brmsg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "tests/support/test_support.h"

namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(MessageCatalogue, EveryTextIsExactWindows1252) {
  struct Row {
    const char* key;
    const char8_t* text;
  };
  const std::vector<Row> rows = {
      {"BRCNFERR", u8"Arquivo de configuração inexistente, programa cancelado"},
      {"BRERRLIN", u8"Erro no arquivo de configuração na linha "},
      {"BRERRBRL", u8"Erro no arquivo BRAILLE.AMB perto da linha "},
      {"BRLPPAG", u8"Quantas linhas por página (0 para não paginar) ? "},
      {"BRCPLIN", u8"Quantos caracteres por linha ? "},
      {"BRDOEDIT", u8"Texto foi digitado no EDIT do DOS ? "},
      {"BRAUTOJU", u8"Deseja auto-reformatação para Braille (s/n) ? "},
      {"BRFREVER", u8"Frente e verso (s/n) ? "},
      {"BRNUMINI", u8"Número a imprimir na página inicial: "},
      {"BRFAZTIT", u8"Deseja títulos e numeração (s/n) ? "},
      {"BRNCOP", u8"Quantas cópias ? "},
      {"BRPAGINI", u8"Página inicial (sugiro 1): "},
      {"BRPAGFIN", u8"Página final (sugiro 9999): "},
      {"BRINTRO", u8"Programa de impressão Braille - v "},
      {"BRNOMARQ", u8"Digite o nome do arquivo a imprimir: "},
      {"BRARQNAO", u8"Arquivo não foi achado"},
      {"BRERRCRI", u8"Erro ao criar arquivo de impressão.  Programa cancelado."},
      {"BRTIT", u8"Informe o título:"},
      {"BRPADRAO", u8"Assumo valores padrão (s/n) ? "},
      {"BRFIMCOP", u8"Fim de impressão da copia "},
      {"BRFIMTRA", u8"Fim de trabalho"},
      {"BRERRLEI", u8"Erro de leitura do arquivo"},
      {"BRTITFV", u8"Título em ambos os lados ? "},
      {"BRNUMORG", u8"Indica numeração do texto original no cabeçalho ? "},
      {"BRAFASTA", u8"Afasta para a direita os cabeçalhos pares ? "},
      {"BRLINDIV", u8"Linhas grandes foram divididas"},
      {"BRERRESC", u8"Erro de escrita no dispositivo de impressão"},
      {"BRESCCAN", u8"ENTER continua, ESC cancela"},
      {"BRSEPARA", u8"Separa sílabas ao fim da linha ? "},
      {"BRINGLES", u8"Maiúsculas e grifo estilo inglês ? "},
      {"BRARQIMP", u8"Arquivo ou dispositivo de saida (sugiro LPT1): "},
      {"BRGRFNAO", u8"Arquivo gráfico não foi achado"},
      {"BRANTIGO", u8"Usa Braille antigo: "},
      {"BRCNFDEF", u8"Use a configuração avançada do Sonara para mudar definitivamente."},
      {"BRCNFDF2", u8"Para configurar, edite ali a seção RELEVIX."},
      {"BRIMPCAN", u8"Impressão cancelada."},
  };
  ASSERT_EQ(rows.size(), 36u);
  for (const Row& row : rows) {
    EXPECT_EQ(GetMessage(row.key), Windows1252FromUtf8(Utf8(row.text))) << row.key;
  }
  // Accents are single bytes and trailing blanks are part of the texts.
  EXPECT_EQ(GetMessage("BRNCOP"), "Quantas c\xF3pias ? ");
  EXPECT_EQ(GetMessage("BRINTRO").back(), ' ');
  EXPECT_EQ(GetMessage("BRERRCRI"), "Erro ao criar arquivo de impress\xE3o.  Programa cancelado.");
}

TEST(MessageCatalogue, UnknownKeysAreReportedWithTheKey) {
  EXPECT_EQ(GetMessage("brfimtra"), "--> Mensagem inv\xE1lida: brfimtra");
  EXPECT_EQ(GetMessage(""), "--> Mensagem inv\xE1lida: ");
  EXPECT_EQ(GetMessage("BRFIMTRA "), "--> Mensagem inv\xE1lida: BRFIMTRA ");
  EXPECT_EQ(GetMessage("BRFIM"), "--> Mensagem inv\xE1lida: BRFIM");
}

TEST(MessageCatalogue, ShowMessageWritesTheTextAndLineEnds) {
  testing_support::ConsoleCapture console;
  ShowMessage("BRFIMTRA", 1);
  EXPECT_EQ(console.Text(), "Fim de trabalho\n");

  ShowMessage("BRINTRO", 0);
  EXPECT_EQ(console.Text(), "Fim de trabalho\nPrograma de impress\u00e3o Braille - v ");

  ShowMessage("BRARQNAO", 2);
  EXPECT_EQ(console.Text(),
            "Fim de trabalho\nPrograma de impress\u00e3o Braille - v Arquivo n\u00e3o foi achado\n\n");

  // A negative count only speaks: nothing is written.
  ShowMessage("BRIMPCAN", -1);
  EXPECT_EQ(console.Text(),
            "Fim de trabalho\nPrograma de impress\u00e3o Braille - v Arquivo n\u00e3o foi achado\n\n");
}

}  // namespace
