#pragma once
// The maker's web pages that the program opens in the user's browser.

inline constexpr wchar_t kMakerHomePage[] = L"https://www.vantorel.com/";
inline constexpr wchar_t kEngineListPage[] = L"https://www.vantorel.com/Tolvane-engines.htm";
inline constexpr wchar_t kProductPage[] = L"https://www.vantorel.com/Tolvane.htm";
inline constexpr wchar_t kSupportMail[] = L"support@vantorel.com";
inline constexpr wchar_t kSupportMailLink[] = L"mailto:support@vantorel.com";
