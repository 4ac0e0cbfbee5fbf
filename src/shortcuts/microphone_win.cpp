#include "shortcuts/microphone_win.h"

namespace corvane::shortcuts {

UINT SystemMixer::GetNumDevs() { return mixerGetNumDevs(); }
MMRESULT SystemMixer::Open(HMIXER* mixer, UINT device) { return mixerOpen(mixer, device, 0, 0, 0); }
MMRESULT SystemMixer::GetLineInfo(HMIXER mixer, MIXERLINEW* line, DWORD flags) {
  return mixerGetLineInfoW(reinterpret_cast<HMIXEROBJ>(mixer), line, flags);
}
MMRESULT SystemMixer::GetLineControls(HMIXER mixer, MIXERLINECONTROLSW* controls, DWORD flags) {
  return mixerGetLineControlsW(reinterpret_cast<HMIXEROBJ>(mixer), controls, flags);
}
MMRESULT SystemMixer::SetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) {
  return mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(mixer), details, flags);
}
MMRESULT SystemMixer::Close(HMIXER mixer) { return mixerClose(mixer); }

bool SetMicrophoneMute(Mixer& mixer, bool mute, const TellFn& tell) {
  if (mixer.GetNumDevs() == 0) return false;
  HMIXER handle = nullptr;
  if (mixer.Open(&handle, 0) != MMSYSERR_NOERROR) return false;
  // The calls are given the open handle, so they say so.
  MIXERLINEW line{};
  line.cbStruct = sizeof line;
  line.dwComponentType = MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE;
  if (mixer.GetLineInfo(handle, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR) {
    mixer.Close(handle);
    return false;
  }
  MIXERCONTROLW control{};
  MIXERLINECONTROLSW controls{};
  controls.cbStruct = sizeof controls;
  controls.dwLineID = line.dwLineID;
  controls.dwControlType = MIXERCONTROL_CONTROLTYPE_MUTE;
  controls.cControls = 1;
  controls.cbmxctrl = sizeof control;
  controls.pamxctrl = &control;
  bool done = false;
  if (mixer.GetLineControls(handle, &controls, MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
      MMSYSERR_NOERROR) {
    tell(kGetLineInfoError);
  } else {
    MIXERCONTROLDETAILS_BOOLEAN value{mute ? 1L : 0L};
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = control.dwControlID;
    details.cChannels = 1;
    details.cbDetails = sizeof value;
    details.paDetails = &value;
    done = mixer.SetControlDetails(handle, &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) ==
           MMSYSERR_NOERROR;
    if (!done) tell(kSetControlDetailsError);
  }
  mixer.Close(handle);
  return done;
}

}  // namespace corvane::shortcuts
