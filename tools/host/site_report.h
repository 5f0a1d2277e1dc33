// vorlanxhost check: the store's site check (store/site_check.h), printed for a person or as JSON.
#pragma once

// args: [--json] [--tidy] [DEVICE [AREA]]. The exit status: 0 without errors, 1 with one or
// more, 2 for a wrong command line.
int RunSiteCheck(int count, char** args);
