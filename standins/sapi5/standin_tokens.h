#pragma once

#include <windows.h>
#include <sapi.h>
#include <wrl/client.h>

#include <string>
#include <vector>

// The voice tokens of the configuration, in file order.
Microsoft::WRL::ComPtr<ISpeechObjectTokens> MakeVoiceTokens(const std::vector<std::wstring>& descriptions);
