// Questions about the security context the program runs in.
#pragma once

namespace corvane::platform {

// True when the token of this thread (or, without one, of the process)
// holds the built-in Administrators group (S-1-5-32-544), whatever the
// group's attributes say (a group present only for deny counts too). Any
// failure to open or read the token gives false.
bool CurrentUserIsAdministrator();

}  // namespace corvane::platform
