#include "inventory/sound_readers_win.h"

#include <windows.h>
#include <mmsystem.h>

#include "platform/registry_win.h"

namespace corvane::inventory {

unsigned SystemSound::WaveOutCount() { return waveOutGetNumDevs(); }

std::optional<WaveOutDevice> SystemSound::WaveOut(unsigned device) {
  WAVEOUTCAPSW caps{};
  if (waveOutGetDevCapsW(device, &caps, sizeof caps) != MMSYSERR_NOERROR) return std::nullopt;
  // The name field need not end in a zero.
  std::size_t length = 0;
  while (length < std::size(caps.szPname) && caps.szPname[length] != L'\0') ++length;
  return WaveOutDevice{std::wstring(caps.szPname, length), caps.vDriverVersion};
}

unsigned SystemSound::MixerCount() { return mixerGetNumDevs(); }

bool SystemSound::BeeperOn() {
  BOOL on = FALSE;
  return SystemParametersInfoW(SPI_GETBEEP, 0, &on, 0) && on == TRUE;
}

void SystemSound::DefaultBeep() { MessageBeep(0); }

void SystemSound::PlayFile(const std::wstring& path) { PlaySoundW(path.c_str(), nullptr, SND_ASYNC); }

void SystemSound::PlayEvent(const std::wstring& name) { PlaySoundW(name.c_str(), nullptr, SND_ALIAS | SND_ASYNC); }

void SystemSound::Tone(std::uint32_t frequency, std::uint32_t duration_ms) { Beep(frequency, duration_ms); }

void SystemSound::Run(const char* command_line) { WinExec(command_line, SW_SHOWNORMAL); }

std::vector<std::wstring> ReadSoundEventNames() {
  platform::Registry reg(KEY_READ);
  reg.SetRoot(HKEY_CURRENT_USER);
  if (!reg.OpenKeyReadOnly(L"\\AppEvents\\EventLabels")) return {};
  return reg.SubkeyNames();
}

}  // namespace corvane::inventory
