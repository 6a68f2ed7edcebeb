#pragma once

#include <memory>

#include "eventconfig/messages/MsgConfig.h"
#include "reading/Reading.h"

namespace ecfg {

// A CMessageFieldConfig holding the locator (event info name included).
std::unique_ptr<CMessageFieldConfig> MakeFieldConfig(TagLocator locator);

}  // namespace ecfg
