#pragma once

// The whole model of a loaded file as one JSON value (the dump's schema,
// docs/dump-schema.json), and the walk over it that summary and dump share.

#include "Check.h"
#include "View.h"

namespace ectool {

class Loaded;
struct LoadedProtocol;

// One protocol's model; membership tests are probed with the candidates.
Json ProtocolJson(LoadedProtocol& protocol, const MsgCandidates& candidates);

}  // namespace ectool
