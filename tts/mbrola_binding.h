// The MBROLA synthesizer, bound at run time. On Linux the synthesizer is the
// `mbrola` program (or the one $RELEVIX_MBROLA names), driven through pipes
// as `mbrola DATABASE - -`: phoneme lines go to its standard input, a "#"
// line flushes, raw 16-bit 16 kHz samples come back on its standard output.
// LoadMbrola binds the 23 entry points to that child-process driver.
#pragma once

namespace mbrola {

using InitFn = int (*)(const char* database);
using InitRenameFn = int (*)(const char* database, const char* rename, const char* clone);
using WriteFn = int (*)(const char* line);
using FlushFn = int (*)();
using ReadFn = int (*)(short* samples, int wanted);
using ReadTypeFn = int (*)(char* buffer, int wanted, int sampleType);
using CloseFn = void (*)();
using ResetFn = int (*)();
using LastErrorFn = int (*)();
using LastErrorStrFn = int (*)(char* buffer, int length);
using SetIntFn = void (*)(int value);
using GetIntFn = int (*)();
using SetFloatFn = void (*)(float value);
using GetFloatFn = float (*)();
using InfoFn = int (*)(char* buffer, int length);
using DatabaseInfoFn = int (*)(char* buffer, int length, int index);
using SetParserFn = void (*)(void* parser);
using InitPhoneFn = void* (*)(const char* name, float length);
using PhoneFn = void (*)(void* phone);
using AppendF0Fn = void (*)(void* phone, float position, float frequency);

}  // namespace mbrola

// The bound entry points; all null while unbound.
struct MbrolaBinding {
  bool loaded = false;
  mbrola::InitFn init_MBR = nullptr;
  mbrola::InitRenameFn init_rename_MBR = nullptr;
  mbrola::WriteFn write_MBR = nullptr;
  mbrola::FlushFn flush_MBR = nullptr;
  mbrola::ReadFn read_MBR = nullptr;
  mbrola::ReadTypeFn readtype_MBR = nullptr;
  mbrola::CloseFn close_MBR = nullptr;
  mbrola::ResetFn reset_MBR = nullptr;
  mbrola::LastErrorFn lastError_MBR = nullptr;
  mbrola::LastErrorStrFn lastErrorStr_MBR = nullptr;
  mbrola::SetIntFn setNoError_MBR = nullptr;
  mbrola::GetIntFn getNoError_MBR = nullptr;
  mbrola::SetIntFn setFreq_MBR = nullptr;
  mbrola::GetIntFn getFreq_MBR = nullptr;
  mbrola::SetFloatFn setVolumeRatio_MBR = nullptr;
  mbrola::GetFloatFn getVolumeRatio_MBR = nullptr;
  mbrola::InfoFn getVersion_MBR = nullptr;
  mbrola::DatabaseInfoFn getDatabaseInfo_MBR = nullptr;
  mbrola::SetParserFn setParser_MBR = nullptr;
  mbrola::InitPhoneFn init_Phone = nullptr;
  mbrola::PhoneFn reset_Phone = nullptr;
  mbrola::PhoneFn close_Phone = nullptr;
  mbrola::AppendF0Fn appendf0_Phone = nullptr;
};

extern MbrolaBinding gMbrola;

// Binds the entry points; false (nothing bound) when no synthesizer program
// can be found on the search path.
bool LoadMbrola();
// Ends any running synthesizer and unbinds.
void UnloadMbrola();
