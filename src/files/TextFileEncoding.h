#pragma once

#include <QByteArray>
#include <QString>

// How a text file the user hands the program is encoded (keymill.ini, a list of accounts), told
// by its byte-order mark or, without one, by its bytes:
//  - FF FE is UTF-16 little-endian, FE FF UTF-16 big-endian, EF BB BF UTF-8;
//  - a file without a mark that is valid UTF-8 and holds at least one multi-byte sequence is
//    UTF-8 (text in code page 932 is practically never valid UTF-8: its lead bytes 0x81-0x9F and
//    0xE0-0xFC are rarely followed by the continuation bytes UTF-8 asks for);
//  - a UTF-32 mark, or NULs in every other byte without a mark (UTF-16 without its mark), is
//    Unmarked: readable, but not a form the program writes back;
//  - any other file is code page 932.
enum class TextFileEncoding { Cp932, Utf8WithBom, Utf8, Utf16LE, Utf16BE, Unmarked };

TextFileEncoding DetectTextFileEncoding(const QByteArray& bytes);

// The byte-order mark that starts `bytes` in `encoding` (empty for Cp932, Utf8 and Unmarked).
QByteArray ByteOrderMarkOf(TextFileEncoding encoding);

// The text of an Unmarked file: UTF-32 after its mark, or UTF-16 in the byte order its NULs show.
QString DecodeUnmarkedText(const QByteArray& bytes);

// The whole text of a file, its mark removed. `valid` (when given) is set to false when some bytes
// are not text in the encoding found; they read as U+FFFD.
QString DecodeTextFile(const QByteArray& bytes, bool* valid = nullptr);

// The bytes before a run of NULs at the end. Such a run is what a crash leaves on some file
// systems (the size was written, the data was not); it holds no text, so it never decides the
// encoding.
QByteArrayView WithoutNulPadding(QByteArrayView bytes);
