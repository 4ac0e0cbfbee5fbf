// Command and control IDs of the internet window (TfrmInternet); the
// end-to-end suite finds the controls and sends the commands by these numbers.
#pragma once

#include "ui/window_ids.h"

namespace corvane::network::internet_ids {

inline constexpr int kFirst = ui::kInternetWindowIds.first;

enum : int {
  // Menu commands
  kCmdExit = kFirst,  // File, Exit
  kCmdRefresh,        // View, Refresh (F5)
  // Controls; a sheet row's label cell is its value cell's ID + 50.
  kIdSheet = kFirst + 10,
  kIdStatus,             // "Internet Status"
  kIdStartPage,          // "Start Page"
  kIdSearchPage,         // "Search Page"
  kIdDownloadDirectory,  // "Download Directory"
  kIdLocalPage,          // "Local Page"
  kIdFlash,              // "Flash"
  kIdProductId,          // "IE Product ID"
  kIdBrowsersCaption,    // "Internet Browsers"
  kIdBrowsers,           // report-style list: "Browser", "Version"
  kIdTypedUrlsCaption,   // "Typed URLs"
  kIdTypedUrls,          // list box
  kIdFavouritesCaption,  // "IE Favourites"
  kIdFavourites,         // list box
  kIdFlagsCaption,       // "IE Flags"
  kIdFlags,              // the check list's box
  kIdLinkLabel,
  // The 18 check boxes of the flags, in list order.
  kIdFirstFlag = kFirst + 100,
  kIdLastFlag = kIdFirstFlag + 17,
};

static_assert(ui::AllIn(ui::kInternetWindowIds, {kCmdExit, kIdLinkLabel, kIdProductId + 50, kIdLastFlag}));

}  // namespace corvane::network::internet_ids
