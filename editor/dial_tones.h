// Ctrl+\ in the editor: a field of digits heard as telephone dial tones.
#pragma once

#include <string_view>

// "#", "*" and the digits play their tone (the recordings dtmf_<c>.wav of
// the letters directory, "*" as dtmf_X.wav); a comma pauses one second;
// anything else is skipped.
void PlayDialTones(std::string_view text);
