#include "inspect/apk_reader.h"

#include "inspect/text_codec.h"

#include <QFileInfo>

namespace {

const QString kVersionKey = QStringLiteral("versionName='");
const QString kMinSdkKey = QStringLiteral("sdkVersion:'");
const QString kTargetSdkKey = QStringLiteral("targetSdkVersion:'");

// A level is plain decimal digits with an optional sign and surrounding blanks, within 16 bits.
std::optional<qint16> parseLevel(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok || value < -32768 || value > 32767)
        return std::nullopt;
    return qint16(value);
}

} // namespace

ApiLevel ReadApiLevel(const QString &report, const QString &key)
{
    ApiLevel level;
    if (!report.contains(key)) {
        level.name = ApkPlaceholder::unknown();
        return level;
    }
    level.number = QuotedValueAfter(report, key).value_or(QString());
    const std::optional<qint16> number = parseLevel(level.number);
    level.name = number ? ApiLevelName(*number) : ApkPlaceholder::unknownLevel();
    return level;
}

std::optional<QString> QuotedValueAfter(const QString &text, const QString &key)
{
    const qsizetype at = text.indexOf(key, 0, Qt::CaseSensitive);
    if (at < 0)
        return std::nullopt;
    const qsizetype start = at + key.size();
    const qsizetype end = text.indexOf(QLatin1Char('\''), start);
    if (end < 0)
        return std::nullopt;
    return text.mid(start, end - start);
}

namespace {

// A label may itself hold a quote ("Tom's"), and the report does not escape it: the value runs
// to the last quote of its line (on the application line, to the quote before " icon='").
std::optional<QString> labelValueAfter(const QString &badging, const QString &key)
{
    const qsizetype at = badging.indexOf(key, 0, Qt::CaseSensitive);
    if (at < 0)
        return std::nullopt;
    const qsizetype start = at + key.size();
    qsizetype lineEnd = badging.indexOf(QLatin1Char('\n'), start);
    if (lineEnd < 0)
        lineEnd = badging.size();
    const QString line = badging.mid(start, lineEnd - start);
    qsizetype end = line.lastIndexOf(QStringLiteral("' icon='"));
    if (end < 0)
        end = line.lastIndexOf(QLatin1Char('\''));
    if (end < 0)
        return std::nullopt;
    return line.left(end);
}

} // namespace

QString PickLabel(const QString &badging)
{
    static const QString keys[] = {
        QStringLiteral("application-label-zh_CN:'"),
        QStringLiteral("application-label-zh:'"),
        QStringLiteral("application-label:'"),
        QStringLiteral("application: label='"),
    };
    for (const QString &key : keys) {
        if (badging.contains(key))
            return labelValueAfter(badging, key).value_or(QString());
    }
    return QString();
}

QString CleanLabel(const QString &label)
{
    QString cleaned = DecodeBytes(EncodeText(label, CodePage::Gbk), CodePage::Gbk);
    cleaned.remove(QLatin1Char('?'));
    return cleaned;
}

QString ApiLevelName(qint16 level)
{
    static const char *const names[] = {
        "Android 1.0",
        "Android 1.1",
        "Android 1.5",
        "Android 1.6",
        "Android 2.0",
        "Android 2.0.1",
        "Android 2.1.x",
        "Android 2.2.x",
        "Android 2.3/2.3.1/2.3.2",
        "Android 2.3.3/2.3.4",
        "Android 3.0.x",
        "Android 3.1.x",
        "Android 3.2",
        "Android 4.0/4.0.1/4.0.2",
        "Android 4.0.3/4.0.4",
        "Android 4.1.x",
        "Android 4.2.x",
        "Android 4.3.x",
        "Android 4.4.x",
        "Android 4.5.x",
    };
    if (level < 1 || level > qint16(std::size(names)))
        return ApkPlaceholder::unknownLevel();
    return QString::fromLatin1(names[level - 1]);
}

QString FormatSizeMB(qint64 bytes)
{
    if (bytes < 0)
        return QString();
    // Whole numbers only: hundredths of a MiB, with the half rounded up (away from zero).
    constexpr qint64 mib = 1024 * 1024;
    qint64 whole = bytes / mib;
    qint64 hundredths = ((bytes % mib) * 100 + mib / 2) / mib;
    if (hundredths == 100) {
        ++whole;
        hundredths = 0;
    }
    return QStringLiteral("%1.%2").arg(whole).arg(hundredths, 2, 10, QLatin1Char('0'));
}

std::optional<QString> FileSizeMB(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return std::nullopt;
    return FormatSizeMB(info.size());
}

ApkFacts ApkFactsFromReport(const QString &report, const QString &packagePath)
{
    ApkFacts facts;
    facts.report = report;
    facts.displayName = CleanLabel(PickLabel(report));
    if (!report.contains(kVersionKey))
        facts.version = ApkPlaceholder::unknown();
    else
        facts.version = QuotedValueAfter(report, kVersionKey);
    facts.sizeMB = FileSizeMB(packagePath);
    facts.minSystem = ReadApiLevel(report, kMinSdkKey).name;
    facts.platform = ReadApiLevel(report, kTargetSdkKey).name;
    return facts;
}
