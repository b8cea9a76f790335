#include "aapt_test_support.h"

#include "byte_source.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
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

std::vector<uint8_t> buildTable(const std::vector<TableChunk> &chunks)
{
    std::vector<uint8_t> t;
    auto add16 = [&](uint32_t v) { t.insert(t.end(), {uint8_t(v), uint8_t(v >> 8)}); };
    auto add32 = [&](uint32_t v) { add16(v & 0xffff), add16(v >> 16); };
    auto patch32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            t[at + i] = uint8_t(v >> (8 * i));
    };
    add16(0x0002), add16(12), add32(0), add32(1);
    add16(0x0001), add16(28), add32(28), add32(0), add32(0), add32(0x100), add32(0), add32(0);
    const size_t package = t.size();
    add16(0x0200), add16(288), add32(0), add32(0x7f);
    t.resize(package + 288);
    for (const TableChunk &c : chunks) {
        uint32_t entrySlots = 0;
        for (const auto &e : c.entries)
            entrySlots = std::max<uint32_t>(entrySlots, e.first + 1u);
        const uint32_t indexCount = c.sparse ? uint32_t(c.entries.size()) : entrySlots;
        const uint32_t entriesStart = 84 + 4 * indexCount;
        const size_t chunk = t.size();
        add16(0x0201), add16(84), add32(entriesStart + 16 * uint32_t(c.entries.size()));
        add32(c.sparse ? 0x0101 : 0x0001), add32(indexCount), add32(entriesStart);
        t.resize(chunk + 84);
        patch32(chunk + 20, 64);
        t[chunk + 20 + 14] = uint8_t(c.density), t[chunk + 20 + 15] = uint8_t(c.density >> 8);
        std::vector<uint32_t> offsets(entrySlots, 0xffffffff);
        for (size_t i = 0; i < c.entries.size(); ++i)
            offsets[c.entries[i].first] = uint32_t(16 * i);
        for (size_t i = 0; i < c.entries.size(); ++i)
            if (c.sparse)
                add16(c.entries[i].first), add16(uint32_t(16 * i / 4));
        if (!c.sparse)
            for (uint32_t o : offsets)
                add32(o);
        for (const auto &e : c.entries) {
            add16(8), add16(0), add32(0);             // entry header: plain value, key 0
            add16(8), add16(0x1000), add32(e.second); // decimal integer
        }
    }
    patch32(package + 4, uint32_t(t.size() - package));
    patch32(4, uint32_t(t.size()));
    return t;
}
