#pragma once

#include <string>
#include <vector>

#include "eventconfig/operations/OperationTypeConfig.h"
