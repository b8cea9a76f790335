#pragma once

#include <QByteArray>
#include <QString>

// Conversions between text and the bytes of a numbered code page: 65001 is UTF-8, 936 is GBK
// (as the home platform's code page 936 has it, its user-defined areas included). Undecodable
// bytes become U+FFFD and decoding goes on; characters a code page cannot hold are encoded as
// '?', invisible format characters (joiners, direction marks, variation selectors) as nothing.
// Any other code page gives an empty result.
namespace CodePage {
constexpr int Utf8 = 65001;
constexpr int Gbk = 936;
} // namespace CodePage

QString DecodeBytes(const QByteArray &bytes, int codePage);
QByteArray EncodeText(const QString &text, int codePage);
