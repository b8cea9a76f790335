#include "aapt_test_support.h"

#include "byte_source.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <zip.h>

ToolRun runTool(const std::string &program, const std::vector<std::string> &args)
{
    QStringList list;
    for (const std::string &a : args)
        list << QString::fromStdString(a);
    QProcess p;
    p.start(QString::fromStdString(program), list);
    ToolRun run;
    if (!p.waitForFinished(60000))
        return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = p.readAllStandardOutput().toStdString();
    run.err = p.readAllStandardError().toStdString();
    return run;
}

ToolRun runOurAapt(const std::string &apk)
{
    return runTool(TAVREL_PROGRAM_DIR "/aapt", {"d", "badging", apk});
}

std::string fixturePath(const std::string &name)
{
    return std::string(TAVREL_FIXTURES_DIR) + "/apk/" + name;
}

std::vector<std::string> fixtureApkNames()
{
    std::vector<std::string> names;
    const QStringList files = QDir(QString::fromStdString(fixturePath(""))).entryList({"*.apk"}, QDir::Files);
    for (const QString &f : files)
        if (!f.startsWith("bad-"))
            names.push_back(f.chopped(4).toStdString());
    return names;
}

std::string readTextFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<uint8_t> readMember(const std::string &apk, const char *member)
{
    aapt::ZipArchive zip(apk);
    auto src = zip.open(member, 64 << 20);
    std::vector<uint8_t> bytes(src->size());
    src->read(0, bytes.data(), bytes.size());
    return bytes;
}

void writeZip(const std::string &path, const std::vector<Member> &members)
{
    int err = 0;
    zip_t *z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z)
        throw std::runtime_error("cannot create " + path);
    for (const Member &m : members) {
        zip_source_t *s = zip_source_buffer(z, m.bytes.data(), m.bytes.size(), 0);
        const zip_int64_t index = zip_file_add(z, m.name.c_str(), s, ZIP_FL_OVERWRITE);
        zip_set_file_compression(z, zip_uint64_t(index), m.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
    }
    if (zip_close(z) != 0)
        throw std::runtime_error("cannot write " + path);
}

std::vector<std::string> reliedOnLines(const std::string &report)
{
    static const char *const keys[] = {
        "package: name=",    "sdkVersion:",         "targetSdkVersion:", "uses-permission:",
        "application-label", "application: label=", "supports-screens:", "densities:"};
    static const QRegularExpression permission("^uses-permission: name='([^']*)'.*$");
    static const QRegularExpression packageTail("^(package: .*versionName='[^']*').*$");
    static const QRegularExpression applicationTail("^(application: label='.*' icon='[^']*').*$");
    static const QRegularExpression labelLocale("^application-label-([^:]*):");

    std::vector<std::string> lines;
    std::istringstream in(report);
    std::string raw;
    while (std::getline(in, raw)) {
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        bool keep = false;
        for (const char *k : keys)
            keep |= raw.rfind(k, 0) == 0;
        if (!keep)
            continue;
        QString line = QString::fromStdString(raw);
        line.replace(permission, "uses-permission:'\\1'");
        line.replace(packageTail, "\\1");
        line.replace(applicationTail, "\\1");
        const auto m = labelLocale.match(line);
        if (m.hasMatch())
            line = "application-label-" + m.captured(1).replace('-', '_') + line.mid(m.capturedEnd(1));
        lines.push_back(line.toStdString());
    }
    return lines;
}
