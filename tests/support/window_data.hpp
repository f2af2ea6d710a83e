#pragma once

// The catalogue and savegame that every window's tests open: three cars, five records.
#include "bytes.hpp"
#include "test_folder.hpp"

// The window's title for a savegame name, with the version the build gives the program.
#define GARAGON_TITLE(name) "Garagon " GARAGON_VERSION " [" name "]"

namespace garagon::test {

inline const Bytes codeMoewe{1, 2, 3, 4, 5, 6, 7, 8};
inline const Bytes codeEuro{0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18};
inline const Bytes codeC{0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28};

// Windows-1252: 0xF6 is "ö", 0x80 is "€".
inline const char* const catalogue = "0102030405060708 = M\xF6we\r\n"
                                     "1112131415161718 = Euro \x80\r\n"
                                     "2122232425262728 = Dritter\r\n";

// Shop: Möwe at 1004, Euro at 2004; career: Dritter at 3004; own: Möwe at 4004, Euro at 5004.
inline Bytes demoSavegame() {
    Bytes data(63596, 0xEE);
    placeRecord(data, 1000, codeMoewe, 1);
    placeRecord(data, 2000, codeEuro, 1);
    placeRecord(data, 3000, codeC, 2);
    placeRecord(data, 4000, codeMoewe, 4);
    placeRecord(data, 5000, codeEuro, 4);
    return data;
}

} // namespace garagon::test
