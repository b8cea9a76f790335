#include "inspect/text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
// Qt reaches GBK through ICU (Windows' table for code page 936); a Qt built without ICU knows no
// such encoding, and the conversions then give nothing, as for an unknown code page.
constexpr char kGbk[] = "GBK";
} // namespace

QString DecodeBytes(const QByteArray &bytes, int codePage)
{
    if (codePage == CodePage::Utf8)
        return QString::fromUtf8(bytes);
    if (codePage != CodePage::Gbk)
        return {};
    QStringDecoder decoder(kGbk, QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        return {};
    // A lead byte cut off at the end would vanish without a mark; a line feed after it, which
    // can never be a second byte, has the decoder mark it like any other broken sequence.
    QByteArray terminated = bytes;
    terminated.append('\n');
    QString text = decoder.decode(terminated);
    text.chop(1);
    return text;
}

QByteArray EncodeText(const QString &text, int codePage)
{
    if (codePage == CodePage::Utf8)
        return text.toUtf8();
    if (codePage != CodePage::Gbk)
        return {};
    QStringEncoder encoder(kGbk, QStringEncoder::Flag::Stateless);
    if (!encoder.isValid())
        return {};
    return encoder.encode(text);
}
