#include "driver/audio_check.h"

#include "catalogue/brmsg.h"
#include "platform/audio_output.h"
#include "platform/text_encoding.h"

bool ReportAudioOutputProblem() {
  static bool unknownSettingSaid = false;
  static bool recordingFailureSaid = false;
  const AudioOutputProblem problem = CurrentAudioOutputProblem();
  const std::string subject = Windows1252FromUtf8(problem.subject);
  switch (problem.kind) {
    case AudioOutputProblem::UnknownSetting:
      if (!unknownSettingSaid) {
        unknownSettingSaid = true;
        ShowMessageAbout("BRAUDVAL", subject);
        ShowMessage("BRAUDOPC", 1);
      }
      return false;
    case AudioOutputProblem::RecordingFailed:
      if (!recordingFailureSaid) {
        recordingFailureSaid = true;
        ShowMessageAbout("BRAUDGRV", subject + ": " + SystemErrorText(problem.error, true));
      }
      return true;
    case AudioOutputProblem::None:
      break;
  }
  return false;
}
