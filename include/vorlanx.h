/* vorlanx.h: what a host needs to call vorlanx.dll.
 *
 * All functions are __cdecl and exported undecorated. Text is zero-terminated bytes in the
 * system ANSI code page. The string returned by vorlanx_browse_category belongs to the host,
 * which releases it with free() of msvcr100.dll: the library allocates it on that runtime's heap,
 * the one that the hosts built for the framework's C runtime free it on. A host on another runtime
 * takes that free with GetProcAddress(GetModuleHandleA("msvcr100.dll"), "free").
 */
#ifndef VORLANX_H
#define VORLANX_H

#include <windows.h>

/* The product version of this SDK; every binary of the release carries it in its version block
 * as MAJOR.MINOR.PATCH.0. The build refuses a header whose numbers are not its own. */
#define VORLANX_VERSION_MAJOR  1
#define VORLANX_VERSION_MINOR  0
#define VORLANX_VERSION_PATCH  0
#define VORLANX_VERSION_STRING "1.0.0"

/* Result codes. 1 and 1006 are fixed by the category store's interface; so are the area
 * answers 1018 to 1029. Every other code comes from our own store and from the exports' own
 * argument checks, and each has exactly one meaning. */
#define VORLANX_OK                        1
#define VORLANX_ERR_EXISTS             1006 /* a category of that name already exists */
#define VORLANX_AREA_BLOCKED           1018 /* login control: access blocked */
#define VORLANX_AREA_READONLY          1024 /* the area is read-only */
#define VORLANX_AREA_HIDDEN            1025 /* the area is not shown at all */
#define VORLANX_AREA_RESTRICTED        1028 /* login control: access restricted */
#define VORLANX_AREA_RESTRICTED_EXPIRED 1029 /* login control: restriction expired */

#define VORLANX_ERR_INVALID_ARGUMENT   2001 /* a null or over-long text, or an empty category where one is needed */
#define VORLANX_ERR_INVALID_NAME       2002 /* a name no folder can carry (CON, NUL, a path separator, '#', ".."), or a name of the store's own files */
#define VORLANX_ERR_NO_DEVICE          2003 /* no device of that name */
#define VORLANX_ERR_NO_AREA            2004 /* the device has no storage area of that name */
#define VORLANX_ERR_NO_CATEGORY        2005 /* the area has no category at that path */
#define VORLANX_ERR_NOT_EMPTY          2006 /* delete refused: the category holds more than its description */
#define VORLANX_ERR_IO                 2007 /* the file system refused a read or write (read-only, vanished, full) */
#define VORLANX_ERR_NO_LOGIN_CONTROL   2008 /* the area's login.ctl is missing or unreadable */
#define VORLANX_ERR_NO_MEMORY          2009 /* out of memory */
#define VORLANX_ERR_NAME_TOO_LONG      2010 /* the category's folder name does not fit the record (over 49 bytes) */
#define VORLANX_ERR_PATH_TOO_LONG      2011 /* a folder or file path would not fit what the system takes; nothing was made */
#define VORLANX_ERR_BUSY               2012 /* another writer held the area, or a reader held up a rename, longer than the store waits */
#define VORLANX_ERR_UNREACHABLE        2013 /* the device's server did not answer; nothing was changed */

/* Buffer sizes of vorlanx_retrieve_category, terminators included. A name given to new or edit
 * may hold at most VORLANX_NAME_SIZE - 1 bytes, a description VORLANX_DESCRIPTION_SIZE - 1. */
#define VORLANX_NAME_SIZE          50
#define VORLANX_DESCRIPTION_SIZE  256

#ifdef __cplusplus
extern "C" {
#endif

/* Opens the modal "Browse for Storage Area" dialog over hwndParent, on pszDevice with pszArea
 * preselected (either may be null). Returns the chosen paths joined with ',' (empty on Cancel),
 * newly allocated; null only when that copy could not be allocated. */
char* __cdecl vorlanx_browse_category(HWND hwndParent, const char* pszDevice, const char* pszArea);

/* Reads one category. On VORLANX_OK the name (at most 50 bytes with its terminator) and the
 * description (at most 256) are copied; on any other result both buffers are left untouched.
 * The first argument is reserved and never read. */
int __cdecl vorlanx_retrieve_category(void* reserved, const char* pszDevice, const char* pszArea,
                                      const char* pszCategory, char* pszName, char* pszDescription);

/* Creates the category pszName below pszCategory (empty: directly in the area). */
int __cdecl vorlanx_new_category(void* reserved, const char* pszDevice, const char* pszArea,
                                 const char* pszCategory, const char* pszName,
                                 const char* pszDescription);

/* Rewrites the description of pszCategory and renames it to pszName. */
int __cdecl vorlanx_edit_category(void* reserved, const char* pszDevice, const char* pszArea,
                                  const char* pszCategory, const char* pszName,
                                  const char* pszDescription);

/* The exports as pointer types, for hosts that find them with GetProcAddress. */
typedef char*(__cdecl* vorlanx_browse_category_fn)(HWND hwndParent, const char* pszDevice,
                                                   const char* pszArea);
typedef int(__cdecl* vorlanx_retrieve_category_fn)(void* reserved, const char* pszDevice,
                                                   const char* pszArea, const char* pszCategory,
                                                   char* pszName, char* pszDescription);
typedef int(__cdecl* vorlanx_new_category_fn)(void* reserved, const char* pszDevice,
                                              const char* pszArea, const char* pszCategory,
                                              const char* pszName, const char* pszDescription);
typedef int(__cdecl* vorlanx_edit_category_fn)(void* reserved, const char* pszDevice,
                                               const char* pszArea, const char* pszCategory,
                                               const char* pszName, const char* pszDescription);

#ifdef __cplusplus
}
#endif

/* The result codes in words, for messages. */
static inline const char* vorlanx_result_text(int code)
{
    switch (code) {
    case VORLANX_OK: return "success";
    case VORLANX_ERR_EXISTS: return "a category of that name already exists";
    case VORLANX_AREA_BLOCKED: return "the storage area is blocked";
    case VORLANX_AREA_READONLY: return "the storage area is read-only";
    case VORLANX_AREA_HIDDEN: return "the storage area is hidden";
    case VORLANX_AREA_RESTRICTED: return "the storage area is restricted";
    case VORLANX_AREA_RESTRICTED_EXPIRED: return "the storage area's restriction has expired";
    case VORLANX_ERR_INVALID_ARGUMENT: return "invalid argument (null, too long, or no category given)";
    case VORLANX_ERR_INVALID_NAME: return "the name cannot be used for a category folder";
    case VORLANX_ERR_NO_DEVICE: return "no such device";
    case VORLANX_ERR_NO_AREA: return "no such storage area";
    case VORLANX_ERR_NO_CATEGORY: return "no such category";
    case VORLANX_ERR_NOT_EMPTY: return "the category is not empty";
    case VORLANX_ERR_IO: return "the file system refused the operation";
    case VORLANX_ERR_NO_LOGIN_CONTROL: return "the storage area's login control is missing or unreadable";
    case VORLANX_ERR_NO_MEMORY: return "out of memory";
    case VORLANX_ERR_NAME_TOO_LONG: return "the category's name is too long for the record";
    case VORLANX_ERR_PATH_TOO_LONG: return "the path would be too long for the file system";
    case VORLANX_ERR_BUSY: return "the storage area is busy with another writer or reader";
    case VORLANX_ERR_UNREACHABLE: return "the device's server did not answer; nothing was changed";
    default: return "unknown result";
    }
}

#endif
