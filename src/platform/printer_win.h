// The application's current printer: the installed printers, the one chosen
// (the system's default until something chooses another), its settings and
// device context, and the job being printed on it. One object serves the
// whole program, so a printer chosen in one window is the printer of every
// later print.
#pragma once
#include <windows.h>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/unique_handle.h"

namespace corvane::platform {

// A printer request that cannot be met; what() is the message shown.
class PrinterError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr char kNoDefaultPrinterText[] = "There is no default printer currently selected";
inline constexpr char kPrinterIndexText[] = "Printer index out of range";
inline constexpr char kPrintingText[] = "Printing in progress";
inline constexpr char kNotPrintingText[] = "Printer is not currently printing";

enum class PrintOrientation { kPortrait, kLandscape };

class Printer {
 public:
  Printer() = default;
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;
  ~Printer();

  // The installed printers, each as "device on port", read on first use and
  // again after Refresh.
  const std::vector<std::wstring>& Printers();
  // Forgets the list and the choice: the next use reads them afresh.
  void Refresh();

  // The chosen printer's place in Printers(); choosing none yet chooses the
  // system's default, and -1 is the answer when there is none.
  int index();
  // Chooses a printer by its place; -1 chooses the system's default.
  // Throws PrinterError: kPrinterIndexText for a place outside the list,
  // kNoDefaultPrinterText when the default is asked for and there is none,
  // kPrintingText while a job runs.
  void SetIndex(int index);
  // Chooses a printer by its device name; false when none is so named.
  bool SelectByName(const std::wstring& device);

  struct Names {
    std::wstring device, driver, port;
  };
  // The chosen printer's names; throws kNoDefaultPrinterText without one.
  Names GetNames();

  // The chosen printer's settings as a device mode (the driver's private
  // part included), with this object's copies and orientation applied;
  // throws kNoDefaultPrinterText without a printer.
  std::vector<std::byte> Settings();
  // Takes settings the print dialog chose for the printer `device`:
  // chooses it and adopts its copies and orientation.
  void AdoptSettings(const std::wstring& device, const DEVMODEW* mode);

  // The chosen printer's device context (an information context between
  // jobs, the job's canvas during one); throws kNoDefaultPrinterText
  // without a printer. It stays this object's: never delete it.
  HDC Handle();

  // The next job's document name, copies, orientation and paper.
  std::wstring title;
  int copies() const { return copies_; }
  void SetCopies(int copies);
  PrintOrientation orientation() const { return orientation_; }
  void SetOrientation(PrintOrientation orientation);
  // The device's paper code (DMPAPER_A4...); 0 keeps the printer's own.
  short paper_size() const { return paper_size_; }
  void SetPaperSize(short paper_size);

  // A job: BeginDoc starts the document and its first page, NewPage ends
  // a page and starts the next, EndDoc ends the last one and the document,
  // Abort drops it. `output` names a file that takes the printer's data
  // instead of its port (empty: the port). Each throws PrinterError, or
  // SystemError for a spooler failure (the job is then aborted).
  void BeginDoc(const std::wstring& output = {});
  void NewPage();
  void EndDoc();
  void Abort();
  bool printing() const { return printing_; }
  int page_number() const { return page_number_; }
  HDC canvas() const { return dc_.get(); }

 private:
  struct Installed {
    std::wstring device, driver, port;
  };
  void EnsureList();
  void EnsureChosen();
  void LoadSettings();
  void ResetDc();

  bool listed_ = false;
  std::vector<Installed> installed_;
  std::vector<std::wstring> entries_;
  int index_ = -1;
  std::vector<std::byte> settings_;  // the chosen printer's device mode, as the driver gave it
  UniqueDc dc_;
  int copies_ = 1;
  PrintOrientation orientation_ = PrintOrientation::kPortrait;
  short paper_size_ = 0;
  bool printing_ = false;
  int page_number_ = 0;
};

// The program's one printer object.
Printer& ThePrinter();

// Puts the printer's orientation and paper back as they were when it was
// made: a job that needs its own (a landscape list, an A5 sheet) leaves the
// next one the user's settings. Made and ended outside the job.
class KeepPrinterSettings {
 public:
  explicit KeepPrinterSettings(Printer& printer)
      : printer_(printer), orientation_(printer.orientation()), paper_size_(printer.paper_size()) {}
  KeepPrinterSettings(const KeepPrinterSettings&) = delete;
  KeepPrinterSettings& operator=(const KeepPrinterSettings&) = delete;
  ~KeepPrinterSettings() {
    if (printer_.printing()) return;  // never: the job has ended or been dropped by now
    printer_.SetOrientation(orientation_);
    printer_.SetPaperSize(paper_size_);
  }

 private:
  Printer& printer_;
  PrintOrientation orientation_;
  short paper_size_;
};

}  // namespace corvane::platform
