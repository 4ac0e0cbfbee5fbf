// What a filled and an empty summary sheet look like on the Wine test machine.
#pragma once
#include <string>
#include <vector>

#include "e2e/harness.h"

namespace corvane::e2e {

// Rows that hold text after every refresh, whatever the machine: row 1 keeps
// its fixed parts even when the version cannot be read, row 6 falls back to
// "Not detected", rows 8 and 9 are composed around numbers, row 28 is the
// computer name. Rows 19 and 20 are what Wine's WMI reports.
void ExpectSheetFilled(const std::vector<std::wstring>& rows, bool nocom);

// Another program reads every label and value cell alike by WM_GETTEXT and
// by GetWindowText (which sends no message to another process's window and
// reads no edit box's text).
void ExpectCellsReadAlike(const CorvaneProcess& app);

// Every value cell exists and is empty.
void ExpectSheetEmpty(const CorvaneProcess& app);

// Waits until the last row of a refresh (the host name) holds text: the
// pipeline sets it last, after every other row.
bool WaitForRefreshDone(const CorvaneProcess& app, milliseconds timeout = kRefreshTimeout);

}  // namespace corvane::e2e
