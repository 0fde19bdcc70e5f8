#pragma once
// Resource identifiers shared by the .rc file and the code.
#define IDI_MAIN 1
#define IDI_ABOUT_WINDOW 2
#define IDI_ABOUT_IMAGE 3
#define IDB_SKIN 10
#define IDB_SKIN_MASTER 11
