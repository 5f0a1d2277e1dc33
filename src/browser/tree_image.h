// The images of the browser's tree, in image-list order. An area's image is the only record of
// its status: the selection list reads it back.
#pragma once

enum TreeImage {
    kImageRoot,
    kImageDevice,
    kImageArea,
    kImageAreaBlocked,
    kImageAreaReadOnly,
    kImageAreaRestricted,
    kImageCategory,
    kImageCount
};
