// Mutes or unmutes the microphone through the first sound mixer. The mixer
// calls go through a small interface so tests can play a machine with or
// without a mixer, and with calls that fail; the two messages the routine
// may give go through a callback for the same reason.
#pragma once
#include <windows.h>
// after windows.h
#include <mmsystem.h>

#include <functional>
#include <string_view>

namespace corvane::shortcuts {

class Mixer {
 public:
  virtual ~Mixer() = default;
  virtual UINT GetNumDevs() = 0;
  virtual MMRESULT Open(HMIXER* mixer, UINT device) = 0;
  virtual MMRESULT GetLineInfo(HMIXER mixer, MIXERLINEW* line, DWORD flags) = 0;
  virtual MMRESULT GetLineControls(HMIXER mixer, MIXERLINECONTROLSW* controls, DWORD flags) = 0;
  virtual MMRESULT SetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) = 0;
  virtual MMRESULT Close(HMIXER mixer) = 0;
};

// The winmm calls on mixer handles.
class SystemMixer final : public Mixer {
 public:
  UINT GetNumDevs() override;
  MMRESULT Open(HMIXER* mixer, UINT device) override;
  MMRESULT GetLineInfo(HMIXER mixer, MIXERLINEW* line, DWORD flags) override;
  MMRESULT GetLineControls(HMIXER mixer, MIXERLINECONTROLSW* controls, DWORD flags) override;
  MMRESULT SetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) override;
  MMRESULT Close(HMIXER mixer) override;
};

using TellFn = std::function<void(std::wstring_view message)>;

inline constexpr std::wstring_view kGetLineInfoError = L"GetLineInfo Error";
inline constexpr std::wstring_view kSetControlDetailsError = L"SetControlDetails Error";

// Sets the mute control of the first mixer's microphone line on or off.
// Without a mixer, or without a microphone line, nothing happens and nothing
// is told; a microphone without a mute control tells kGetLineInfoError, a
// refused setting kSetControlDetailsError. Answers whether the setting was made.
bool SetMicrophoneMute(Mixer& mixer, bool mute, const TellFn& tell);

}  // namespace corvane::shortcuts
