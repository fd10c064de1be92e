// Tokens and their intonation: the normalised text is cut into words and
// punctuation, each classed by a two-character key, and each token gets a
// three-level pitch pattern from the prosody file's rules on the keys of
// its neighbours.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// "[--]" first; then "[" + key + "]" + token for each token: the word's
// keyword class or "XX", the punctuation character doubled, ".-" for a run
// of full stops; "[--]" again after each token beginning with "!", "." or
// "?".
std::vector<std::string> Tokenise(std::string_view text);

// One line "pattern|token" per non-empty token line; the pattern comes from
// the first matching intonation rule, "555" when none matches or usePatterns
// is false. A leading "?" takes the previous token's last level.
std::vector<std::string> AssignIntonation(const std::vector<std::string>& tokens, bool usePatterns);
