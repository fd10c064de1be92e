// The connection to a Braille display, behind one small interface as
// BRLTTY's own drivers are: BrlAPI on Linux, or a test's stand-in.
#pragma once

#include <memory>
#include <string>

class DisplayLink {
 public:
  virtual ~DisplayLink() = default;
  // Connects and takes the display; false with the reason in error.
  virtual bool Open(std::string& error) = 0;
  virtual int Width() const = 0;
  // A file descriptor that becomes readable when keys (or the end of the
  // connection) arrive.
  virtual int EventDescriptor() const = 0;
  // Text as UTF-8 in exactly Width() characters, the cursor 0-based or -1;
  // the display's own text table makes the dots. False when the connection
  // is gone.
  virtual bool WriteText(const std::string& utf8, int cursor) = 0;
  // Width() cells, one byte of dots each (dot 1 in bit 0).
  virtual bool WriteDots(const std::string& cells) = 0;
  // 1 and the key's code, 0 when no key is waiting, -1 when the connection
  // is gone.
  virtual int ReadKey(unsigned long long& code) = 0;
  virtual void Close() = 0;
};

// The BrlAPI connection to BRLTTY (the local socket, or BRLAPI_HOST).
std::unique_ptr<DisplayLink> MakeBrlapiLink();
