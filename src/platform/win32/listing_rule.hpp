#pragma once

#include <windows.h>

namespace garagon::platform {

// What a folder listing on Windows makes of an entry, by its attributes and reparse tag.
struct Listing {
    bool listed = false;      // a file, as far as the savegame's folder is concerned
    bool onlyInCloud = false; // its bytes are online only: reading them downloads them
};

// Links are the reparse points whose tag has the name-surrogate bit (symbolic links,
// junctions, mount points); every other one, as each file in a OneDrive folder, is a file
// like any other.
inline bool isLink(DWORD attributes, DWORD reparseTag) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
           IsReparseTagNameSurrogate(reparseTag);
}

// Folders, devices and links are left out.
inline Listing listingOf(DWORD attributes, DWORD reparseTag) {
    // FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS and FILE_ATTRIBUTE_RECALL_ON_OPEN: reading the
    // bytes, or only opening the file, fetches it.
    constexpr DWORD fetched = 0x00400000 | 0x00040000 | FILE_ATTRIBUTE_OFFLINE;
    if (isLink(attributes, reparseTag) ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return {};
    }
    return {true, (attributes & fetched) != 0};
}

} // namespace garagon::platform
