// Where a print job's device bytes go: a device, a file, memory. The job
// knows only this interface, so a filter, a preview or a test can take the
// bytes the embosser would receive.
#pragma once

#include <string>
#include <string_view>

class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // True when every byte was taken.
  virtual bool Write(std::string_view bytes) = 0;
  // After a failed write: the output as the user named it and why it
  // failed, in Portuguese (Windows-1252).
  virtual std::string Problem() const = 0;
};

// Appends every byte to a string, which must outlive it.
class MemorySink : public OutputSink {
 public:
  explicit MemorySink(std::string& bytes) : bytes_(bytes) {}
  bool Write(std::string_view bytes) override {
    bytes_ += bytes;
    return true;
  }
  std::string Problem() const override { return {}; }

 private:
  std::string& bytes_;
};
