// The category record that the category store fills and reads. Its layout is binary interface.
#pragma once

struct CCategoryData {
    char name[50];          // zero-terminated, so at most 49 bytes
    char description[256];  // zero-terminated, so at most 255 bytes
};
static_assert(sizeof(CCategoryData) == 306, "CCategoryData must stay 306 bytes, no padding");
