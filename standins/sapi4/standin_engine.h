#pragma once

#include <windows.h>

#include <memory>

#include "speech/sapi4.h"
#include "standins/common/standin_config.h"

// Creates the engine object for mode `index` of the configuration, speaking
// to `audioDestination`, which it keeps.
HRESULT CreateStandinEngine(std::shared_ptr<const StandinConfig> config, size_t index, IUnknown* audioDestination,
                            ITTSCentralA** central);
