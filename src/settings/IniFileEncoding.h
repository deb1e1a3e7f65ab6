#pragma once

#include <QByteArray>
#include <QString>

// keymill.ini is stored in code page 932 so that the program on its original platform reads it.
// Only when some text cannot be held by that code page (an emoji, the euro sign) is the whole
// file written as UTF-8 with a byte-order mark instead; a file that starts with the mark is read
// as UTF-8, any other as code page 932. Every write chooses again, so the file returns to code
// page 932 as soon as it holds nothing that code page lacks.

QString DecodeIniFile(const QByteArray& bytes);
QByteArray EncodeIniFile(const QString& text);
