#pragma once

#include <memory>

#include "speech/sapi4.h"
#include "standins/common/standin_config.h"

// The mode information the stand-in reports for the engine at `index` of
// the configuration.
TTSMODEINFOA ModeInfo(const EngineConfig& engine, size_t index);
GUID ModeId(size_t index);
