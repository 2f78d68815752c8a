#pragma once
// Where the updater looks for its services. The values are fixed when the program is
// built (cmake/Deployment.cmake); tests point them at local servers.
#include "platform/base/types.h"

namespace qd {

struct TDeployment {
  String VersionHost;    // host[:port] of the main version service
  String VersionHostS;   // host[:port] of the newer product line's version service
  String ApiKey;         // key the version service expects in every request
  String LanPrefix;      // local addresses starting with this text use the LAN file server
  String LanBaseURL;     // LAN file server, ending in "/"
  String PublicBaseURL;  // public file server, ending in "/"
  String ProbeURL;       // connectivity probe
  String CAFile;         // CA bundle for the version service; empty: the system store
};

// The values in force (the build's values until a test changes them).
TDeployment& Deployment();
// The build's values.
TDeployment BuildDeployment();

}  // namespace qd
