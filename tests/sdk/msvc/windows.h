/* The little of windows.h that vorlanx.h needs: Microsoft's headers are not on this machine and
 * mingw's do not compile for the MSVC target. */
#pragma once
typedef struct HWND__* HWND;
