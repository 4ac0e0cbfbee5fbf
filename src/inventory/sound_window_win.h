// TfrmSound, "Sound": the first wave-output device, the mixer count, the
// driver version and the beeper setting, the system's sound events, and the
// sound tests. Made for each showing, shown modally and destroyed after, so
// every opening reads the system afresh. A fixed-size dialog-style window.
#pragma once
#include <windows.h>

#include "inventory/sound_system.h"
#include "inventory/sound_view.h"
#include "ui/sheet_win.h"
#include "ui/window_win.h"

namespace corvane::inventory {

class SoundWindow : public ui::Window {
 public:
  // `system` answers the readings and plays the sounds; it outlives the window.
  SoundWindow(const ui::Theme& theme, HWND owner, SoundSystem& system);

  // The readings and the event list, shown (the window's opening runs it).
  void FormCreate();
  void BitBtn1Click();       // "Sound Test": the default beep
  void BitBtn2Click();       // "Play WAV File": a file chosen in the dialog, played without waiting
  void Button2Click();       // "Play": the selected event's sound, or the message without one
  void SpeedButton1Click();  // "Test" in "Tone": a tone of the typed frequency and duration
  void Button1Click();       // "Test PC Speaker": the three-tone test
  void BitBtn3Click();       // "Settings": the system's sound settings
  void BitBtn4Click();       // "Mixer settings": the volume mixer
  void Exit1Click();         // File, Exit (F12)

  const SoundWindowModel& model() const { return model_; }

  // The readings and the event list into the model, the window unbuilt.
  std::optional<ui::ReportSection> RefreshForReport() override;

 protected:
  bool Build() override;

 private:
  std::wstring FieldText(int id) const;

  HWND owner_;
  SoundSystem& system_;
  ui::DetailSheet sheet_;
  HWND events_ = nullptr;
  SoundWindowModel model_;
};

}  // namespace corvane::inventory
