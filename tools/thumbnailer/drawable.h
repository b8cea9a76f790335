// Drawing Android drawables: bitmaps chosen by density, colours, and the XML drawables that
// icons are made of (adaptive icons, vector drawables, bitmap, inset and layer-list wrappers).
#pragma once

#include "binary_xml.h"
#include "resource_table.h"
#include "zip_archive.h"

#include <QImage>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace thumb {

// One APK whose resources a look-up may use: the APK itself or a split of a bundle.
struct ResourcePackage
{
    const aapt::ZipArchive *archive = nullptr;
    std::unique_ptr<aapt::ByteSource> tableBytes;
    std::unique_ptr<aapt::ResourceTable> table;
};

class DrawableRenderer
{
public:
    explicit DrawableRenderer(std::vector<ResourcePackage> &packages) : m_packages(packages) {}

    // The drawable a value stands for (a reference or a colour) for a square of `size` pixels
    // that shows `dp` density-independent pixels: bitmaps at the density that best fits, at
    // their own size; XML drawables and colours drawn at `size`. Throws IconError.
    QImage render(const aapt::ResValue &value, int size, int dp, int depth = 0);

    // The colour a value holds (ARGB), following references; nothing when it is no colour.
    std::optional<uint32_t> colourOf(const aapt::ResValue &value);

private:
    struct Candidate
    {
        size_t package = 0;
        std::string path;
    };
    std::vector<Candidate> candidates(const aapt::ResValue &value, int requestDensity,
                                      std::optional<Candidate> &requested);
    std::string member(const Candidate &c, uint64_t maxSize) const;
    QImage renderXml(const Candidate &c, int size, int dp, int depth);
    QImage adaptive(const aapt::XmlDocument &doc, int size, int depth);
    QImage vector(const aapt::XmlDocument &doc, int size);
    void paintVector(const aapt::XmlDocument &doc, QImage &image, double viewportWidth,
                     double viewportHeight);
    aapt::ResConfig config(int density) const;

    std::vector<ResourcePackage> &m_packages;
    size_t m_pathData = 0;
};

} // namespace thumb
