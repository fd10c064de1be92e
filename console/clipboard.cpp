// The clipboard through the window's host, as Windows-1252 text.
#include "console/console.h"
#include "console/console_host.h"
#include "console/console_window.h"

void CopyTextToClipboard(std::string_view text) {
  EnsureConsoleWindow();
  if (!consoleWindow.host) return;
  consoleWindow.host->SetClipboardText(text.substr(0, text.find('\0')));
}

void PasteTextFromClipboard(std::string& buffer, int capacity) {
  if (capacity <= 0) return;
  EnsureConsoleWindow();
  std::string text;
  if (!consoleWindow.host || !consoleWindow.host->GetClipboardText(text)) return;
  buffer = text.substr(0, static_cast<std::size_t>(capacity - 1));
}
