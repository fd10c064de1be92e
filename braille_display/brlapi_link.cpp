// BrlAPI: the client library of BRLTTY. The display is taken without a
// virtual console (the root of the tty tree), so that a program with no
// terminal of its own (a window, a headless run) can use it; the keys taken
// are the keyboard keys of the display and the few commands the program
// acts on, every other command stays BRLTTY's.
#include <brlapi.h>

#include <cstdlib>
#include <vector>

#include "braille_display/display_link.h"

namespace {

// BrlAPI's default handler of a protocol error ends the process; here the
// connection is only marked lost.
void NoteException(brlapi_handle_t*, int, brlapi_packetType_t, const void*, std::size_t) {}

class BrlapiLink : public DisplayLink {
 public:
  BrlapiLink() : handle_(static_cast<brlapi_handle_t*>(std::malloc(brlapi_getHandleSize()))) {}
  ~BrlapiLink() override {
    Close();
    std::free(handle_);
  }

  bool Open(std::string& error) override {
    brlapi_connectionSettings_t settings = BRLAPI_SETTINGS_INITIALIZER;
    descriptor_ = brlapi__openConnection(handle_, &settings, nullptr);
    if (descriptor_ < 0) return Failed(error);
    open_ = true;
    brlapi__setExceptionHandler(handle_, NoteException);
    unsigned int x = 0, y = 0;
    if (brlapi__getDisplaySize(handle_, &x, &y) < 0 || x == 0) return Failed(error);
    width_ = static_cast<int>(x);
    if (brlapi__enterTtyModeWithPath(handle_, nullptr, 0, nullptr) < 0) return Failed(error);
    const brlapi_keyCode_t symbols[] = {BRLAPI_KEY_TYPE_SYM};
    const brlapi_keyCode_t commands[] = {BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_LNUP, BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_LNDN,
                                         BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_FWINLT,
                                         BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_FWINRT};
    const brlapi_keyCode_t routing[] = {BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_ROUTE};
    if (brlapi__acceptKeys(handle_, brlapi_rangeType_type, symbols, 1) < 0 ||
        brlapi__acceptKeys(handle_, brlapi_rangeType_code, commands, 4) < 0 ||
        brlapi__acceptKeys(handle_, brlapi_rangeType_command, routing, 1) < 0) {
      return Failed(error);
    }
    return true;
  }

  int Width() const override { return width_; }
  int EventDescriptor() const override { return descriptor_; }

  bool WriteText(const std::string& utf8, int cursor) override {
    brlapi_writeArguments_t arguments = BRLAPI_WRITEARGUMENTS_INITIALIZER;
    arguments.regionBegin = 1;
    arguments.regionSize = width_;
    arguments.text = utf8.c_str();
    arguments.textSize = static_cast<int>(utf8.size());
    arguments.charset = "UTF-8";
    arguments.cursor = cursor < 0 ? BRLAPI_CURSOR_OFF : cursor + 1;
    return brlapi__write(handle_, &arguments) >= 0;
  }

  bool WriteDots(const std::string& cells) override {
    std::vector<unsigned char> dots(cells.begin(), cells.end());
    dots.resize(static_cast<std::size_t>(width_), 0);
    return brlapi__writeDots(handle_, dots.data()) >= 0;
  }

  int ReadKey(unsigned long long& code) override {
    brlapi_keyCode_t key = 0;
    const int result = brlapi__readKeyWithTimeout(handle_, 0, &key);
    code = key;
    return result;
  }

  void Close() override {
    if (!open_) return;
    brlapi__closeConnection(handle_);
    open_ = false;
    descriptor_ = -1;
  }

 private:
  bool Failed(std::string& error) {
    error = brlapi_strerror(&brlapi_error);
    Close();
    return false;
  }

  brlapi_handle_t* handle_;
  bool open_ = false;
  int descriptor_ = -1;
  int width_ = 0;
};

}  // namespace

std::unique_ptr<DisplayLink> MakeBrlapiLink() { return std::make_unique<BrlapiLink>(); }
