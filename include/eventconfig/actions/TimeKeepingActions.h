#pragma once

#include <string>
#include <vector>

#include "eventconfig/actions/ActionConfig.h"
