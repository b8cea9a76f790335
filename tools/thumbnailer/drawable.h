// Drawing Android drawables: bitmaps chosen by density, colours, and the XML drawables that
// icons are made of (adaptive icons, vector drawables, bitmap, inset and layer-list wrappers).
#pragma once

#include "binary_xml.h"
#include "found_icon.h"
#include "image.h"
#include "resample.h"
#include "resource_table.h"
#include "zip_archive.h"

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
    explicit DrawableRenderer(std::vector<ResourcePackage> &packages);

    // The drawable a value stands for (a reference or a colour) for a square of `size` pixels
    // that shows `dp` density-independent pixels: bitmaps at the density that best fits, at
    // their own size; XML drawables and colours drawn at `size`. Throws IconError.
    Image render(const aapt::ResValue &value, int size, int dp, int depth = 0);
    // The same, a bitmap left as its file.
    FoundIcon find(const aapt::ResValue &value, int size, int dp, int depth = 0);

    // The colour a value holds (ARGB), following references; nothing when it is no colour.
    std::optional<uint32_t> colourOf(const aapt::ResValue &value);

private:
    struct Candidate
    {
        size_t package = 0;
        std::string path;
        const aapt::ZipArchive::Entry *entry = nullptr; // in that package's archive
    };
    // What a reference stands for at a size: an XML drawable, or the bitmap that fits best.
    struct Choice
    {
        Candidate candidate;
        bool xml = false;
    };
    Choice choose(const aapt::ResValue &value, int size, int dp);
    // Draws the drawable a value stands for over `area` of the canvas.
    void draw(const aapt::ResValue &value, Image &canvas, const RectF &area, int dp, int depth);
    std::vector<Candidate> candidates(const aapt::ResValue &value, int requestDensity,
                                      std::optional<Candidate> &requested);
    std::unique_ptr<aapt::ByteSource> member(const Candidate &c, uint64_t maxSize) const;
    Image renderXml(const aapt::XmlDocument &doc, int size, int dp, int depth);
    Image adaptive(const aapt::XmlDocument &doc, int size, int depth);
    Image vector(const aapt::XmlDocument &doc, int size);
    // The vector drawable's viewport mapped onto `area` of the image.
    void paintVector(const aapt::XmlDocument &doc, Image &image, const RectF &area);
    aapt::ResConfig config(int density) const;

    std::vector<ResourcePackage> &m_packages;
    const aapt::ResConfig m_device; // the device a look-up stands for, at medium density
    size_t m_pathData = 0;
};

} // namespace thumb
