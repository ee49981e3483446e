#pragma once
// The window class name of the link label, shared by the resource script and
// the code (the resource compiler reads this file too, so it holds only the macro).
#define LINK_LABEL_CLASS "TolvaneLink"
