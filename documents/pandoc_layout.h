// A document read by pandoc, as its JSON document tree (`pandoc -t json`),
// made into the job's text: the title in the headers, headings centred,
// paragraphs reformatted, lists one item a line, quotations in a margin,
// tables one row a line, page breaks, image descriptions and footnotes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The layout text (UTF-8) of pandoc's JSON output; none when the JSON is
// malformed or not a pandoc document.
std::optional<std::string> LayoutFromPandocJson(std::string_view json);
