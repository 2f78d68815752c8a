#pragma once
// Published properties of the network components, so stored forms can set them.

namespace qd::net {

// Registers the properties of TIdHTTP, its request and proxy settings, TIdAntiFreeze,
// TRESTClient, TRESTRequest and TRESTResponse. Safe to call more than once.
void RegisterPublishedNetClasses();

}  // namespace qd::net
