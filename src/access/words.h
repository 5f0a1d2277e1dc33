// The words a screen reader speaks for the tree's items: what kind each is and, for an area, its
// status. UTF-16 as the resources store them, so they reach the reader whole whatever the host's
// code page.
#pragma once

#include <windows.h>

#include <string>

enum class ItemKind { Root, Device, FloppyDrive, RemovableDrive, Area, Category };
enum class AreaStatus { None, Open, ReadOnly, Blocked, Restricted };

// A string of the resource chain (the resource library first, then the library's own); empty
// when none carries it.
std::wstring LoadWords(UINT id);

// "storage area, blocked, you cannot choose it"; the kind alone where there is no status; empty
// for the root.
std::wstring DescribeItem(ItemKind kind, AreaStatus status);
