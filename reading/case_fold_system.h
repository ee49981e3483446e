#pragma once
// Letter case as the system's ordinal comparison without regard to case sees
// it: each UTF-16 code unit compared as its upper-case form in the invariant
// locale, so that a word and its match have the same length. The forms come
// from the system once per process, into a table of every code unit, so that
// a reading costs no call into the system per character.

// The unit that `unit` is compared as. A CaseFold for PrepareText.
wchar_t SystemCaseFold(wchar_t unit);
