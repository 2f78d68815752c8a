#include "app/Deployment.h"

#include "app/deployment_config.h"

namespace qd {

TDeployment BuildDeployment() {
  TDeployment d;
  d.VersionHost = QD_DEPLOY_VERSION_HOST;
  d.VersionHostS = QD_DEPLOY_VERSION_HOST_S;
  d.ApiKey = QD_DEPLOY_VERSION_API_KEY;
  d.LanPrefix = QD_DEPLOY_LAN_PREFIX;
  d.LanBaseURL = QD_DEPLOY_LAN_BASE_URL;
  d.PublicBaseURL = QD_DEPLOY_PUBLIC_BASE_URL;
  d.ProbeURL = QD_DEPLOY_PROBE_URL;
  d.CAFile = QD_DEPLOY_CA_FILE;
  return d;
}

TDeployment& Deployment() {
  static TDeployment d = BuildDeployment();
  return d;
}

}  // namespace qd
