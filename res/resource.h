// Resource numbers of vorlanx.dll and its resource libraries; they are binary interface.
#pragma once

// Browse for Storage Area
#define IDD_BROWSE_AREA        402
#define IDC_AREA_TREE          25031
#define IDC_SELECTED_LIST      25033
#define IDC_CLEAR              25034

// The tree's icons
#define IDI_ROOT               404
#define IDI_DEVICE             405
#define IDI_AREA               406
#define IDI_CATEGORY           407
#define IDI_AREA_RESTRICTED    408
#define IDI_AREA_BLOCKED       409
#define IDI_AREA_READONLY      318

// The sub-folder dialog
#define IDD_SUBFOLDER          113
#define IDC_SUBFOLDER_NAME     25042
#define IDC_SUBFOLDER_DESCRIPTION 25043

// The sub-folder menu and its messages
#define IDR_SUBFOLDER_MENU     112
#define ID_SUBFOLDER_NEW       50253
#define ID_SUBFOLDER_DELETE    50256
#define ID_SUBFOLDER_EDIT      50258

// Strings
#define IDS_ROOT_LABEL         50231  // only the resource libraries carry it
#define IDS_FLOPPY             50252
#define IDS_SUBFOLDER_EXISTS   50254
#define IDS_SUBFOLDER_NAME_RULE 50259

// What a screen reader speaks for the tree's items: each item's kind, each area's status, the
// two default actions. A resource library without them leaves the library's own English words.
#define IDS_ACC_DEVICE          50260
#define IDS_ACC_FLOPPY_DRIVE    50261
#define IDS_ACC_REMOVABLE_DRIVE 50262
#define IDS_ACC_AREA            50263
#define IDS_ACC_CATEGORY        50264
#define IDS_ACC_OPEN            50265
#define IDS_ACC_READONLY        50266
#define IDS_ACC_BLOCKED         50267
#define IDS_ACC_RESTRICTED      50268
#define IDS_ACC_KIND_STATUS     50269  // %1 the kind, %2 the status
#define IDS_ACC_EXPAND          50270
#define IDS_ACC_COLLAPSE        50271

// The framework's own messages; %1 stands for a number
#define AFX_IDP_PARSE_STRING_SIZE 0xF113

#ifndef IDC_STATIC
#define IDC_STATIC             (-1)
#endif
