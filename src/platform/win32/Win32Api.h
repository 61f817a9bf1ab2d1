// <windows.h> for this layer. Its A/W macros for the SendMessage family, TextOut,
// LoadBitmap, MoveFile, DeleteFile, GlobalAddAtom and ReplaceFile would rename the interface
// methods of the same names in our files only, so they go; this layer calls the W functions by
// their full names.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef SendMessage
#undef TextOut
#undef LoadBitmap
#undef GlobalAddAtom
#undef ReplaceFile
#undef SendMessageTimeout
#undef SendNotifyMessage
#undef MoveFile
#undef DeleteFile
