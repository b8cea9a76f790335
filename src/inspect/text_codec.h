#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Conversions between text and the bytes of a numbered code page (65001 is UTF-8, 936 is GBK).
// Undecodable bytes become U+FFFD and decoding goes on; characters a code page cannot hold are
// encoded as '?'. An unknown code page gives an empty result.
namespace CodePage {
constexpr int Utf8 = 65001;
constexpr int Gbk = 936;
} // namespace CodePage

QString DecodeBytes(const QByteArray &bytes, int codePage);
QByteArray EncodeText(const QString &text, int codePage);
