#include "inspect/text_codec.h"

#include <cerrno>
#include <iconv.h>

namespace {

const char *iconvName(int codePage)
{
    switch (codePage) {
    case 936:
        return "GBK";
    case 54936:
        return "GB18030";
    case 950:
        return "BIG5";
    case 932:
        return "SHIFT_JIS";
    case 949:
        return "CP949";
    case 1250:
        return "CP1250";
    case 1251:
        return "CP1251";
    case 1252:
        return "CP1252";
    case 20127:
        return "ASCII";
    case 28591:
        return "ISO-8859-1";
    case 1200:
        return "UTF-16LE";
    case 1201:
        return "UTF-16BE";
    default:
        return nullptr;
    }
}

class Iconv
{
public:
    Iconv(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (ok())
            iconv_close(m_cd);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool ok() const { return m_cd != iconv_t(-1); }
    iconv_t handle() const { return m_cd; }

private:
    iconv_t m_cd;
};

} // namespace

QString DecodeBytes(const QByteArray &bytes, int codePage)
{
    if (codePage == CodePage::Utf8)
        return QString::fromUtf8(bytes);
    const char *name = iconvName(codePage);
    if (!name)
        return {};
    Iconv cd("UTF-32LE", name);
    if (!cd.ok())
        return {};

    QString out;
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    char32_t buffer[256];
    while (inLeft > 0) {
        char *outPtr = reinterpret_cast<char *>(buffer);
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd.handle(), &in, &inLeft, &outPtr, &outLeft);
        const qsizetype produced = qsizetype(sizeof buffer - outLeft) / 4;
        out += QString::fromUcs4(buffer, produced);
        if (rc == size_t(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: mark it and go on with the next byte.
            out += QChar(QChar::ReplacementCharacter);
            ++in;
            --inLeft;
        }
    }
    return out;
}

QByteArray EncodeText(const QString &text, int codePage)
{
    if (codePage == CodePage::Utf8)
        return text.toUtf8();
    const char *name = iconvName(codePage);
    if (!name)
        return {};
    Iconv cd(name, "UTF-32LE");
    if (!cd.ok())
        return {};

    const QList<uint> ucs4 = text.toUcs4();
    QByteArray out;
    char buffer[16];
    for (uint codePoint : ucs4) {
        char32_t one = codePoint;
        char *in = reinterpret_cast<char *>(&one);
        size_t inLeft = sizeof one;
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        if (iconv(cd.handle(), &in, &inLeft, &outPtr, &outLeft) == size_t(-1)) {
            out += '?';
            iconv(cd.handle(), nullptr, nullptr, nullptr, nullptr);
            continue;
        }
        out.append(buffer, qsizetype(sizeof buffer - outLeft));
    }
    return out;
}
