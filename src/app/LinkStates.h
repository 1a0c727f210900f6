#pragma once
// The state of every link in a few lines, for the server's status window
// and the console's "links": the TNC ports (open, lost and being opened
// again) and the internet links (connected, verified, reconnecting).
#include <string>

#include "platform/Clock.h"

namespace velmora {

class PortManager;
class InternetLinks;

std::string LinkStatesText(const PortManager& ports, const InternetLinks& links, TimeStamp now);

}  // namespace velmora
