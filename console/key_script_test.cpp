#include <string>
#include <vector>

#include "console/console_test_fixture.h"
#include "console/key_script.h"

namespace {

using namespace console_testing;
using Kind = ScriptAction::Kind;

// Actions written short: "v F1" key-down, "^ F1" key-up, "c 13" character
// ("c^ 10" typed with Ctrl), "w 500" wait, "close".
std::string Describe(const ScriptAction& action) {
  auto keyName = [](const KeyStroke& key) {
    std::string name = key.ctrl ? "CTRL+" : "";
    if (key.alt) name += "ALT+";
    if (key.shift) name += "SHIFT+";
    if (key.name == KeyName::Letter || key.name == KeyName::Digit) return name + key.symbol;
    return name + "#" + std::to_string(static_cast<int>(key.name));
  };
  switch (action.kind) {
    case Kind::KeyDown: return "v " + keyName(action.key);
    case Kind::KeyUp: return "^ " + keyName(action.key);
    case Kind::Character: return std::string(action.ctrl ? "c^ " : "c ") + std::to_string(action.character);
    case Kind::Wait: return "w " + std::to_string(action.milliseconds);
    case Kind::Close: return "close";
  }
  return "?";
}

std::vector<std::string> Parse(const std::string& script) {
  std::vector<ScriptAction> actions;
  std::string error;
  EXPECT_TRUE(ParseKeyScript(script, actions, error)) << error;
  std::vector<std::string> described;
  for (const ScriptAction& action : actions) described.push_back(Describe(action));
  return described;
}

std::string ErrorOf(const std::string& script) {
  std::vector<ScriptAction> actions;
  std::string error;
  EXPECT_FALSE(ParseKeyScript(script, actions, error));
  return error;
}

const std::string kF1 = "#" + std::to_string(static_cast<int>(KeyName::F1));
const std::string kUp = "#" + std::to_string(static_cast<int>(KeyName::Up));
const std::string kEnter = "#" + std::to_string(static_cast<int>(KeyName::Enter));
const std::string kSpace = "#" + std::to_string(static_cast<int>(KeyName::Space));
const std::string kInsert = "#" + std::to_string(static_cast<int>(KeyName::Insert));

TEST(KeyScriptTest, NamedKeysArePressedAndReleasedWithWhatTheyType) {
  EXPECT_EQ(Parse("F1 ctrl+up ENTER CTRL+ENTER"),
            (std::vector<std::string>{"v " + kF1, "^ " + kF1, "v CTRL+" + kUp, "^ CTRL+" + kUp, "v " + kEnter,
                                      "c 13", "^ " + kEnter, "v CTRL+" + kEnter, "c^ 13", "^ CTRL+" + kEnter}));
  EXPECT_EQ(Parse("SHIFT+INSERT CTRL+ALT+A alt+x"),
            (std::vector<std::string>{"v SHIFT+" + kInsert, "^ SHIFT+" + kInsert, "v CTRL+ALT+A", "^ CTRL+ALT+A",
                                      "v ALT+X", "^ ALT+X"}));
  EXPECT_EQ(Parse("q SHIFT+Q CTRL+Q 7"), (std::vector<std::string>{"v Q", "c 113", "^ Q", "v SHIFT+Q", "c 81",
                                                                   "^ SHIFT+Q", "v CTRL+Q", "c^ 17", "^ CTRL+Q",
                                                                   "v 7", "c 55", "^ 7"}));
}

TEST(KeyScriptTest, QuotedTextIsTypedAsWindows1252Characters) {
  EXPECT_EQ(Parse("\"aB \xC3\xA7\\\"\""),
            (std::vector<std::string>{"v A", "c 97", "^ A", "v SHIFT+B", "c 66", "^ SHIFT+B", "v " + kSpace, "c 32",
                                      "^ " + kSpace, "c 231", "c 34"}));
}

TEST(KeyScriptTest, ChordsWaitsCloseAndComments) {
  EXPECT_EQ(Parse("# a comment\nCHORD F+d  # dots 1 and 2\nWAIT 250\nchord space+s\nCLOSE\n"),
            (std::vector<std::string>{"v F", "c 102", "v D", "c 100", "^ F", "^ D", "w 250", "v " + kSpace, "c 32",
                                      "v S", "c 115", "^ " + kSpace, "^ S", "close"}));
  EXPECT_TRUE(Parse("  \n# nothing\n").empty());
}

TEST(KeyScriptTest, ErrorsNameTheirLine) {
  EXPECT_EQ(ErrorOf("ENTER\nFOO"), "roteiro de teclas, linha 2: tecla desconhecida: FOO");
  EXPECT_EQ(ErrorOf("\n\nWAIT x"), "roteiro de teclas, linha 3: WAIT x: esperado um tempo em milissegundos");
  EXPECT_EQ(ErrorOf("CHORD F+UP"), "roteiro de teclas, linha 1: CHORD F+UP: esperadas letras ou SPACE unidas por +");
  EXPECT_EQ(ErrorOf("WAIT"), "roteiro de teclas, linha 1: WAIT : esperado um tempo em milissegundos");
  EXPECT_EQ(ErrorOf("ESC\n\"sem fim"), "roteiro de teclas, linha 2: texto sem aspas de fechamento");
  EXPECT_EQ(ErrorOf("HYPER+A"), "roteiro de teclas, linha 1: tecla desconhecida: HYPER+A");
}

}  // namespace
