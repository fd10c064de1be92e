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

TEST(MessageTextsTest, TheRecordedMessagesAreTheMarkedOnes) {
  const std::vector<std::string> keys = RecordedMessageKeys();
  ASSERT_EQ(keys.size(), 46u);
  EXPECT_EQ(keys.front(), "BRCNFERR");
  EXPECT_EQ(keys[20], "BRFIMTRA");
  EXPECT_EQ(keys.back(), "BRCFGNGR");
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
