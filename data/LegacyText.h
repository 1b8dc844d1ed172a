#pragma once

#include <QByteArray>
#include <QString>
#include <string_view>

// Text bytes read from the directory file. Rows written by this program are
// UTF-8; rows imported from the old directory hold Windows-1251 text, the
// code page every text of the directory was first written in. Bytes that are
// not valid UTF-8 are read as Windows-1251, which maps every byte to a
// character, so no stored text is ever unreadable.
QString DecodeStoredText(const QByteArray &bytes);

// Whether DecodeStoredText reads `bytes` as UTF-8: every sequence complete and
// in its shortest form, no surrogate, nothing past U+10FFFF.
bool IsStoredUtf8(std::string_view bytes);

// Windows-1251 bytes as text.
QString FromWindows1251(const QByteArray &bytes);
