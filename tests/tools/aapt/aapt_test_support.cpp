#include "aapt_test_support.h"

#include "support/tool_bounds.h"
#include "zip_archive.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
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
        // The fastest level: some tests pack hundreds of megabytes of zeros.
        zip_set_file_compression(z, zip_uint64_t(index), m.compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                 m.compress ? 1 : 0);
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

namespace {

struct Writer
{
    std::vector<uint8_t> b;
    void u8(uint32_t v) { b.push_back(uint8_t(v)); }
    void u16(uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
    void u32(uint32_t v) { u16(v & 0xffff), u16(v >> 16); }
    void patch32(size_t at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            b[at + i] = uint8_t(v >> (8 * i));
    }
    // Starts a chunk and returns its offset; end() fills in its size.
    size_t begin(uint16_t type, uint16_t headerSize)
    {
        const size_t at = b.size();
        u16(type), u16(headerSize), u32(0);
        return at;
    }
    void end(size_t chunk) { patch32(chunk + 4, uint32_t(b.size() - chunk)); }
};

// A UTF-16 string pool chunk.
void writePool(Writer &w, const std::vector<std::u16string> &strings)
{
    const size_t pool = w.begin(0x0001, 28);
    w.u32(uint32_t(strings.size())), w.u32(0), w.u32(0), w.u32(28 + 4 * uint32_t(strings.size())), w.u32(0);
    uint32_t offset = 0;
    for (const std::u16string &s : strings) {
        w.u32(offset);
        offset += uint32_t(s.size() < 0x8000 ? 2 : 4) + 2 * uint32_t(s.size() + 1);
    }
    for (const std::u16string &s : strings) {
        if (s.size() < 0x8000)
            w.u16(uint32_t(s.size()));
        else
            w.u16(0x8000 | uint32_t(s.size() >> 16)), w.u16(uint32_t(s.size() & 0xffff));
        for (char16_t c : s)
            w.u16(c);
        w.u16(0);
    }
    w.end(pool);
}

} // namespace

std::vector<uint8_t> buildTable(const std::vector<TableChunk> &chunks,
                                const std::vector<std::u16string> &strings)
{
    Writer w;
    const size_t table = w.begin(0x0002, 12);
    w.u32(1);
    writePool(w, strings);
    const size_t package = w.begin(0x0200, 288);
    w.u32(0x7f);
    w.b.resize(package + 288);
    for (const TableChunk &c : chunks) {
        uint32_t entrySlots = 0;
        for (const TableEntry &e : c.entries)
            entrySlots = std::max<uint32_t>(entrySlots, e.index + 1u);
        const uint32_t indexCount = c.sparse ? uint32_t(c.entries.size()) : entrySlots;
        const uint32_t entriesStart = 84 + 4 * indexCount;
        const size_t chunk = w.begin(0x0201, 84);
        w.u32(c.sparse ? 0x0101 : 0x0001), w.u32(indexCount), w.u32(entriesStart);
        w.b.resize(chunk + 84);
        w.patch32(chunk + 20, 64);
        for (size_t i = 0; i < c.language.size() && i < 2; ++i)
            w.b[chunk + 20 + 8 + i] = uint8_t(c.language[i]);
        w.b[chunk + 20 + 14] = uint8_t(c.density), w.b[chunk + 20 + 15] = uint8_t(c.density >> 8);
        std::vector<uint32_t> offsets(entrySlots, 0xffffffff);
        for (size_t i = 0; i < c.entries.size(); ++i)
            offsets[c.entries[i].index] = uint32_t(16 * i);
        for (size_t i = 0; i < c.entries.size(); ++i)
            if (c.sparse)
                w.u16(c.entries[i].index), w.u16(uint32_t(16 * i / 4));
        if (!c.sparse)
            for (uint32_t o : offsets)
                w.u32(o);
        for (const TableEntry &e : c.entries) {
            w.u16(8), w.u16(0), w.u32(0);                   // entry header: plain value, key 0
            w.u16(8), w.u8(0), w.u8(e.type), w.u32(e.data); // the value
        }
        w.end(chunk);
    }
    w.end(package);
    w.end(table);
    return w.b;
}

std::vector<uint8_t> buildManifest(const std::vector<std::u16string> &strings,
                                   const std::vector<uint32_t> &resourceIds, const ManifestElement &root,
                                   const std::vector<ManifestElement> &children)
{
    Writer w;
    const size_t doc = w.begin(0x0003, 8);
    writePool(w, strings);
    const size_t map = w.begin(0x0180, 8);
    for (uint32_t id : resourceIds)
        w.u32(id);
    w.end(map);
    auto element = [&](const ManifestElement &e, bool close) {
        const size_t start = w.begin(0x0102, 16);
        w.u32(0), w.u32(NoIndex);                            // line, comment
        w.u32(NoIndex), w.u32(e.name), w.u16(20), w.u16(20); // ns, name, attribute start and size
        w.u16(uint32_t(e.attributes.size())), w.u16(0), w.u16(0), w.u16(0);
        for (const ManifestAttribute &a : e.attributes)
            w.u32(a.ns), w.u32(a.name), w.u32(a.raw), w.u16(8), w.u8(0), w.u8(a.type), w.u32(a.data);
        w.end(start);
        if (close) {
            const size_t end = w.begin(0x0103, 16);
            w.u32(0), w.u32(NoIndex), w.u32(NoIndex), w.u32(e.name);
            w.end(end);
        }
    };
    element(root, false);
    for (const ManifestElement &child : children)
        element(child, true);
    const size_t end = w.begin(0x0103, 16);
    w.u32(0), w.u32(NoIndex), w.u32(NoIndex), w.u32(root.name);
    w.end(end);
    w.end(doc);
    return w.b;
}

ToolRun runOurAaptLimited(const std::string &apk, uint64_t addressSpaceBytes)
{
    QProcess p;
    p.setChildProcessModifier([addressSpaceBytes] { boundAddressSpace(addressSpaceBytes); });
    p.start(TAVREL_PROGRAM_DIR "/aapt", {"d", "badging", QString::fromStdString(apk)});
    ToolRun run;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return run;
    }
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = p.readAllStandardOutput().toStdString();
    run.err = p.readAllStandardError().toStdString();
    return run;
}
