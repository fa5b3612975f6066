#pragma once
// Turning a failed open into something the user can act on. hidapi only
// says that an open failed; the errno of the node tells whether the device
// is gone or the user may not open it.
#include <string>

#include "HidTransport.h"

namespace dravo {

OpenError openErrorFromErrno(int err);

// Why the hidraw node `path` could not be opened: looks at the node itself
// (access with read and write), since hidapi keeps no errno for us.
OpenError diagnoseHidrawOpen(const std::string& path);

// The message for the log and the user. For PermissionDenied on a hidraw
// node it tells how to install the udev rule that grants access.
std::string hidrawOpenMessage(const std::string& path, OpenError error, const std::string& detail);

OpenResult openFailure(OpenError error, std::string message);

} // namespace dravo
