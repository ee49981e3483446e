#pragma once
// Identifiers shared by downloads/' windows and their dialog templates.
// downloads/ numbers from 3000 to 3999; app/res/resource.h lists every
// folder's range.
#define DOWNLOADS_RESOURCES_FIRST 3000
#define DOWNLOADS_RESOURCES_LAST 3999

#define IDD_VOICES 3000
