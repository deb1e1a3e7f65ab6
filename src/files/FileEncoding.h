#pragma once

// The encodings a file of lines is written in.
enum class FileEncoding {
    Cp932, // the program's own format; a character the code page lacks is refused
    Utf8,  // no byte-order mark
};
