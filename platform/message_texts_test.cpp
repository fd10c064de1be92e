#include "platform/message_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_file.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"

namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(MessageTextsTest, TextsAreTheCataloguesInWindows1252) {
  EXPECT_EQ(GetMessage("BRFIMTRA"), "Fim de trabalho");
  EXPECT_EQ(GetMessage("BRNCOP"), "Quantas c\xF3pias ? ");
  EXPECT_EQ(GetMessage("BRNCOP"), Windows1252FromUtf8(Utf8(u8"Quantas cópias ? ")));
  EXPECT_EQ(GetMessage("BRNUMORG"), Windows1252FromUtf8(Utf8(u8"Indica numeração do texto original no cabeçalho ? ")));
  EXPECT_EQ(GetMessage("BRMESMOA"),
            Windows1252FromUtf8(Utf8(u8"Nada foi gravado: o arquivo de saída é o próprio arquivo a imprimir")));
  EXPECT_EQ(GetMessage("BRAUDOPC"), "Valores v\xE1lidos: sdl, null, null:ARQUIVO, wav:ARQUIVO.");
  EXPECT_EQ(GetMessage("BRSOLEIT"), Windows1252FromUtf8(Utf8(u8"disco só de leitura")));
  EXPECT_EQ(GetMessage("BRSEMPAD"), Windows1252FromUtf8(Utf8(u8"não há impressora padrão no CUPS")));
  EXPECT_EQ(GetMessage("BRERRSIS"), Windows1252FromUtf8(Utf8(u8"erro do sistema número ")));
}

TEST(MessageTextsTest, AnUnknownKeyGivesTheKey) {
  EXPECT_EQ(GetMessage("NENHUMA"), "--> Mensagem inv\xE1lida: NENHUMA");
  EXPECT_EQ(GetMessageWith("NENHUMA", {"x"}), "--> Mensagem inv\xE1lida: NENHUMA");
}

TEST(MessageTextsTest, ATextWithoutMarksIsFilledUnchanged) {
  EXPECT_EQ(GetMessageWith("BRFIMTRA", {}), "Fim de trabalho");
  EXPECT_EQ(GetMessageWith("BRFIMTRA", {"um", "dois"}), "Fim de trabalho");
}

TEST(MessageTextsTest, ValuesGoWhereTheTextMarksThem) {
  EXPECT_EQ(GetMessageWith("FONTEABR", {"/usr/share/fonts/x.ttf", "Couldn't open"}),
            Windows1252FromUtf8(Utf8(u8"A fonte /usr/share/fonts/x.ttf não pôde ser aberta: Couldn't open")));
  EXPECT_EQ(GetMessageWith("ROTLINHA", {"12"}), "roteiro de teclas, linha 12: ");
  // Values are Windows-1252 already and are put in as they are, marks and
  // all; a mark with no value stays.
  EXPECT_EQ(GetMessageWith("FONTEABR", {"{2}\xE7"}),
            Windows1252FromUtf8(Utf8(u8"A fonte {2}ç não pôde ser aberta: {2}")));
}

// Messages of the window, the engine and the command line, as the user
// reads them.
TEST(MessageTextsTest, MessagesOutsideThePrintingSide) {
  const auto w = [](const char8_t* text) { return Windows1252FromUtf8(Utf8(text)); };
  EXPECT_EQ(GetMessage("SEMTELA"),
            w(u8"Não há tela gráfica: a janela do Relevix precisa de um servidor X ou Wayland (DISPLAY ou "
              u8"WAYLAND_DISPLAY). Para rodar sem janela, com as teclas de um roteiro, use "
              u8"RELEVIX_CONSOLE=headless."));
  EXPECT_EQ(GetMessage("FONTENAO"), w(u8"Nenhuma fonte monoespaçada foi encontrada (instale fonts-dejavu-core)."));
  EXPECT_EQ(GetMessageWith("FONTEINI", {"x"}), w(u8"A biblioteca de fontes não pôde iniciar: x"));
  EXPECT_EQ(GetMessageWith("JANCRIA", {"x"}), w(u8"A janela não pôde ser criada: x"));
  EXPECT_EQ(GetMessage("PROGTERM"), "Programa terminado");
  EXPECT_EQ(GetMessage("TTSSAIDA"), w(u8"Arquivo de saída não pode ser criado"));
  EXPECT_EQ(GetMessageWith("MBRSEMVZ", {"br4"}), w(u8"O MBROLA ou a voz br4 não foi encontrado."));
  EXPECT_EQ(GetMessage("MBRNAOFA"), w(u8"O MBROLA não pôde falar todo o texto."));
  EXPECT_EQ(GetMessageWith("TOCANAO", {"som.wav", "-2"}), w(u8"Não foi possível tocar som.wav (código -2)"));
  EXPECT_EQ(GetMessage("TECLCODI"), w(u8"Tecle: cada tecla mostra seus códigos. ESC duas vezes termina."));
  EXPECT_EQ(GetMessage("RESPNAO"), "N\xC3O");
  // A line break written \n in the file is one.
  EXPECT_EQ(GetMessage("CMDPREVI"),
            w(u8"preview [--settings ARQUIVO] [--pages A-B] [--sheets-per-volume N] [--volume K] [--display] ARQUIVO\n"
              u8"        mostra em Braille Unicode (ou, com --display, na linha Braille) as páginas do texto ou de um "
              u8"PEF"));
}

TEST(MessageTextsTest, TheRecordedMessagesAreTheMarkedOnes) {
  const std::vector<std::string> keys = RecordedMessageKeys();
  ASSERT_EQ(keys.size(), 52u);
  EXPECT_EQ(keys.front(), "BRCNFERR");
  EXPECT_EQ(keys[22], "BRFIMTRA");
  EXPECT_EQ(keys[47], "BRCFGNGR");
  EXPECT_EQ(keys.back(), "BRIMPFEC");
}

// What is built in is the data file, character for character: every line of
// the build tree's copy of data/mensagens.txt gives back its own text.
TEST(MessageTextsTest, EveryLineOfTheFileIsBuiltIn) {
  std::vector<CatalogueMessage> messages;
  std::string error;
  ASSERT_TRUE(ReadMessageFile(JoinPath(DataDirectory(), "mensagens.txt"), messages, error)) << error;
  ASSERT_GE(messages.size(), 58u);
  std::vector<std::string> recorded;
  for (const CatalogueMessage& message : messages) {
    EXPECT_EQ(Utf8FromWindows1252(GetMessage(message.key)), message.text) << message.key;
    if (message.recorded) recorded.push_back(message.key);
  }
  EXPECT_EQ(RecordedMessageKeys(), recorded);
}

}  // namespace
