// The texts of the message catalogue: every message the program shows or
// says has a short key ("BRFIMTRA") and one Portuguese text. The texts are
// kept in data/mensagens.txt and built into the program; here they come
// back as Windows-1252, like every string inside the program.
//
// Only the texts live this low, so that the console and the platform can
// use them; showing and speaking a message (ShowMessage) is the catalogue's,
// above the speech front end.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// The text of key, or "--> Mensagem inválida: " followed by the key.
std::string GetMessage(std::string_view key);

// The text of key with {1}, {2}, ... replaced by the values, in order (all
// Windows-1252). A mark with no value stays as written.
std::string GetMessageWith(std::string_view key, std::initializer_list<std::string_view> values);

// The keys of the messages that have a recorded sound, in the file's order.
std::vector<std::string> RecordedMessageKeys();
