#include "drawable.h"

#include "icon_limits.h"
#include "image_decode.h"
#include "path_data.h"
#include "png_codec.h"
#include "rasterize.h"
#include "resample.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace thumb {

namespace {

using aapt::ResValue;
using aapt::XmlAttribute;
using aapt::XmlDocument;
using aapt::XmlElement;

// Attribute resource ids of the platform.
enum : uint32_t {
    AttrDrawable = 0x01010199,
    AttrSrc = 0x01010119,
    AttrColor = 0x010101a5,
    AttrWidth = 0x01010159,
    AttrHeight = 0x01010155,
    AttrViewportWidth = 0x01010402,
    AttrViewportHeight = 0x01010403,
    AttrPathData = 0x01010405,
    AttrFillColor = 0x01010404,
    AttrFillAlpha = 0x010104cc,
    AttrStrokeColor = 0x01010406,
    AttrStrokeWidth = 0x01010407,
    AttrStrokeAlpha = 0x010104cb,
    AttrFillType = 0x0101051e,
    AttrRotation = 0x01010326,
    AttrPivotX = 0x010101b5,
    AttrPivotY = 0x010101b6,
    AttrScaleX = 0x01010324,
    AttrScaleY = 0x01010325,
    AttrTranslateX = 0x0101045a,
    AttrTranslateY = 0x0101045b,
    AttrAlpha = 0x0101031f,
    AttrInset = 0x010104b5,
    AttrInsetLeft = 0x010101b7,
    AttrInsetRight = 0x010101b8,
    AttrInsetTop = 0x010101b9,
    AttrInsetBottom = 0x010101ba,
};

enum : uint8_t {
    TypeFloat = 0x04,
    TypeDimension = 0x05,
    TypeFraction = 0x06,
    FirstColour = 0x1c,
    LastColour = 0x1f
};

constexpr int Densities[] = {120, 160, 213, 240, 320, 480, 640};
constexpr int MaxNesting = 8;

bool isColour(const ResValue &v)
{
    return v.type >= FirstColour && v.type <= LastColour;
}

// A dimension or fraction's packed number: 24-bit mantissa, radix in bits 4-5.
float complexValue(uint32_t data)
{
    static constexpr float Radix[] = {1.0f / (1 << 0), 1.0f / (1 << 7), 1.0f / (1 << 15), 1.0f / (1 << 23)};
    const int32_t mantissa = int32_t(data & 0xffffff00u) >> 8;
    return float(mantissa) * Radix[(data >> 4) & 3];
}

bool endsWith(const std::string &s, const char *tail)
{
    const size_t n = std::strlen(tail);
    return s.size() >= n && std::equal(s.end() - long(n), s.end(), tail, [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

// The standard density at which `dp` pixels make at least `pixels`, or the highest.
int densityFor(int pixels, int dp)
{
    for (int d : Densities)
        if (int64_t(dp) * d >= int64_t(pixels) * 160)
            return d;
    return Densities[std::size(Densities) - 1];
}

Image filled(int width, int height, uint32_t argb)
{
    Image image = blankImage(width, height);
    fillImage(image, argb);
    return image;
}

// A colour as `paint` takes it: premultiplied, 0 to 1, its alpha multiplied by `alpha`.
void colourFloats(uint32_t argb, double alpha, float (&out)[4])
{
    const float a = float((argb >> 24) / 255.0 * alpha);
    for (int c = 0; c < 3; ++c)
        out[c] = float((argb >> (16 - 8 * c) & 0xff) / 255.0) * a;
    out[3] = a;
}

// A colour (premultiplied, 0 to 1) laid over the canvas where the rows' coverage says, within
// the clip's coverage when there is one.
void paint(Image &image, const float (&colour)[4], const std::vector<float> *clip, int y, int x0, int x1,
           const float *coverage)
{
    uint8_t *px = image.row(y) + size_t(x0) * 4;
    const float *clipRow = clip ? clip->data() + size_t(y) * size_t(image.width) + x0 : nullptr;
    const bool opaque = colour[3] >= 1;
    const uint8_t solid[4] = {uint8_t(colour[0] * 255 + 0.5f), uint8_t(colour[1] * 255 + 0.5f),
                              uint8_t(colour[2] * 255 + 0.5f), 255};
    for (int x = x0; x < x1; ++x, px += 4, ++coverage) {
        const float share = clipRow ? *coverage * clipRow[x - x0] : *coverage;
        if (share <= 0)
            continue;
        if (opaque && share >= 1) {
            std::memcpy(px, solid, 4);
            continue;
        }
        const float keep = 1 - colour[3] * share;
        for (int c = 0; c < 4; ++c)
            px[c] = uint8_t(std::clamp(colour[c] * share * 255 + px[c] * keep + 0.5f, 0.0f, 255.0f));
    }
}

// A number attribute however it was compiled: float, dimension, integer or text.
double numberAttr(const XmlDocument &doc, const XmlElement &e, uint32_t id, const char *name, double fallback)
{
    const XmlAttribute *a = doc.attribute(e, id, name);
    if (!a)
        return fallback;
    double v = fallback;
    if (a->value.type == TypeFloat)
        v = std::bit_cast<float>(a->value.data);
    else if (a->value.type == TypeDimension)
        v = complexValue(a->value.data);
    else if (a->value.isInteger() && !isColour(a->value))
        v = double(int32_t(a->value.data));
    else if (a->hasRawString())
        v = std::strtod(doc.rawString(*a).c_str(), nullptr);
    return std::isfinite(v) ? v : fallback;
}

// The colour over the area of the canvas, its fractional edges blended.
void fillArea(Image &image, const RectF &area, uint32_t argb)
{
    const double right = area.x + area.width, bottom = area.y + area.height;
    if (argb >> 24 == 255 && area.x <= 0 && area.y <= 0 && right >= image.width && bottom >= image.height) {
        fillImage(image, argb); // covers everything beneath
        return;
    }
    float colour[4];
    colourFloats(argb, 1, colour);
    const Polyline rect{{{area.x, area.y}, {right, area.y}, {right, bottom}, {area.x, bottom}}, true};
    rasterize({rect}, FillRule::NonZero, image.width, image.height,
              [&](int y, int x0, int x1, const float *coverage) {
                  paint(image, colour, nullptr, y, x0, x1, coverage);
              });
}

} // namespace

DrawableRenderer::DrawableRenderer(std::vector<ResourcePackage> &packages)
    : m_packages(packages), m_device(aapt::ResConfig::request("en-US"))
{
}

aapt::ResConfig DrawableRenderer::config(int density) const
{
    aapt::ResConfig c = m_device;
    c.density = uint16_t(density);
    return c;
}

std::optional<uint32_t> DrawableRenderer::colourOf(const ResValue &value)
{
    if (isColour(value))
        return value.data;
    if (value.type != ResValue::Reference)
        return std::nullopt;
    for (ResourcePackage &p : m_packages) {
        if (!p.table)
            continue;
        if (const auto v = p.table->resolve(value, config(160)); v && isColour(*v))
            return v->data;
    }
    return std::nullopt;
}

std::vector<DrawableRenderer::Candidate>
DrawableRenderer::candidates(const ResValue &value, int requestDensity, std::optional<Candidate> &requested)
{
    std::vector<Candidate> found;
    for (size_t i = 0; i < m_packages.size(); ++i) {
        ResourcePackage &p = m_packages[i];
        if (!p.table)
            continue;
        std::vector<int> densities(std::begin(Densities), std::end(Densities));
        for (int d : p.table->densities())
            if (d > 0 && d < aapt::ResConfig::DensityAny)
                densities.push_back(d);
        for (int d : densities) {
            std::string path = p.table->resolveString(value, config(d));
            if (path.empty())
                continue;
            // Densities the table lacks resolve to one it has: each file is looked up once.
            const auto known = std::find_if(found.begin(), found.end(), [&](const Candidate &f) {
                return f.package == i && f.path == path;
            });
            const aapt::ZipArchive::Entry *entry =
                known != found.end() ? known->entry : p.archive->find(path);
            if (!entry)
                continue;
            Candidate c{i, std::move(path), entry};
            if (d == requestDensity && !requested)
                requested = c;
            if (known == found.end())
                found.push_back(std::move(c));
        }
    }
    return found;
}

std::unique_ptr<aapt::ByteSource> DrawableRenderer::member(const Candidate &c, uint64_t maxSize) const
{
    return m_packages[c.package].archive->open(*c.entry, maxSize);
}

DrawableRenderer::Choice DrawableRenderer::choose(const ResValue &value, int size, int dp)
{
    if (value.type != ResValue::Reference)
        throw IconError("the icon is neither a resource nor a colour");
    std::optional<Candidate> requested;
    const std::vector<Candidate> found = candidates(value, densityFor(size, dp), requested);
    if (found.empty())
        throw IconError("the icon resource names no file in the package");
    // An XML drawable the platform would pick for this density wins over bitmaps elsewhere
    // (an adaptive icon in mipmap-anydpi-v26 beside the bitmaps older systems show).
    if (requested && endsWith(requested->path, ".xml"))
        return {*requested, true};

    // Of the bitmaps, the smallest that fills the size, else the largest: by their headers.
    std::optional<Candidate> best;
    int64_t bestSide = 0;
    for (const Candidate &c : found) {
        if (endsWith(c.path, ".xml"))
            continue;
        std::optional<ImageSize> s;
        try {
            s = imageSize(viewOf(*member(c, MaxImageBytes)));
        } catch (const aapt::RefusedError &) {
            throw;
        } catch (const aapt::FormatError &) {
            continue;
        }
        if (!s || s->width <= 0 || s->height <= 0)
            continue;
        const int64_t side = std::max(s->width, s->height);
        const bool fits = side >= size, bestFits = bestSide >= size;
        if (!best || (fits && (!bestFits || side < bestSide)) || (!fits && !bestFits && side > bestSide)) {
            best = c;
            bestSide = side;
        }
    }
    if (best)
        return {*best, false};
    if (requested)
        return {*requested, true};
    const auto xml =
        std::find_if(found.begin(), found.end(), [](const Candidate &c) { return endsWith(c.path, ".xml"); });
    if (xml != found.end())
        return {*xml, true};
    throw IconError("no icon image that can be read");
}

Image DrawableRenderer::render(const ResValue &value, int size, int dp, int depth)
{
    FoundIcon found = find(value, size, dp, depth);
    return found.bitmap ? decodeImage(viewOf(*found.bitmap)) : std::move(found.image);
}

FoundIcon DrawableRenderer::find(const ResValue &value, int size, int dp, int depth)
{
    if (depth > MaxNesting)
        throw IconError("drawables nested too deeply");
    if (const auto colour = colourOf(value))
        return {filled(size, size, *colour), nullptr};
    const Choice choice = choose(value, size, dp);
    std::unique_ptr<aapt::ByteSource> bytes =
        member(choice.candidate, choice.xml ? MaxDocumentBytes : MaxImageBytes);
    if (!choice.xml)
        return {{}, std::move(bytes)};
    // Vector drawables nest groups; the depth only bounds what is kept, not what is checked.
    const XmlDocument doc(*bytes, 64);
    return {renderXml(doc, size, dp, depth), nullptr};
}

void DrawableRenderer::draw(const ResValue &value, Image &canvas, const RectF &area, int dp, int depth)
{
    if (depth > MaxNesting)
        throw IconError("drawables nested too deeply");
    if (const auto colour = colourOf(value)) {
        fillArea(canvas, area, *colour);
        return;
    }
    const int side = std::max(1, int(std::ceil(std::max(area.width, area.height))));
    const Choice choice = choose(value, side, dp);
    const std::unique_ptr<aapt::ByteSource> bytes =
        member(choice.candidate, choice.xml ? MaxDocumentBytes : MaxImageBytes);
    if (!choice.xml) {
        drawScaled(canvas, decodeImage(viewOf(*bytes)), area);
        return;
    }
    const XmlDocument doc(*bytes, 64);
    // Paths are drawn straight onto the canvas, sharp at whatever scale.
    if (doc.nameIs(doc.elements().front(), "vector"))
        paintVector(doc, canvas, area);
    else
        drawScaled(canvas, renderXml(doc, side, dp, depth), area);
}

Image DrawableRenderer::renderXml(const XmlDocument &doc, int size, int dp, int depth)
{
    const XmlElement &root = doc.elements().front();
    if (doc.nameIs(root, "adaptive-icon")) {
        if (depth > 0)
            throw IconError("adaptive icon inside another drawable");
        return adaptive(doc, size, depth);
    }
    if (doc.nameIs(root, "vector"))
        return vector(doc, size);
    if (doc.nameIs(root, "bitmap") || doc.nameIs(root, "nine-patch")) {
        const XmlAttribute *src = doc.attribute(root, AttrSrc, "src");
        if (!src)
            throw IconError("bitmap drawable without a source");
        return render(src->value, size, dp, depth + 1);
    }
    if (doc.nameIs(root, "color")) {
        const XmlAttribute *colour = doc.attribute(root, AttrColor, "color");
        const std::optional<uint32_t> v = colour ? colourOf(colour->value) : std::nullopt;
        return filled(size, size, v.value_or(0));
    }
    if (doc.nameIs(root, "inset")) {
        const XmlAttribute *inner = doc.attribute(root, AttrDrawable, "drawable");
        if (!inner)
            throw IconError("inset drawable without a drawable");
        // Insets as fractions of the size; dimensions as dp of the drawable's `dp` square.
        auto inset = [&](uint32_t id, const char *name, double fallback) {
            const XmlAttribute *a = doc.attribute(root, id, name);
            if (!a)
                return fallback;
            if (a->value.type == TypeFraction)
                return double(complexValue(a->value.data));
            if (a->value.type == TypeDimension)
                return double(complexValue(a->value.data)) / dp;
            if (a->value.type == TypeFloat)
                return double(std::bit_cast<float>(a->value.data));
            return fallback;
        };
        const double all = inset(AttrInset, "inset", 0);
        const double l = inset(AttrInsetLeft, "insetLeft", all), r = inset(AttrInsetRight, "insetRight", all);
        const double t = inset(AttrInsetTop, "insetTop", all), b = inset(AttrInsetBottom, "insetBottom", all);
        const RectF area{l * size, t * size, size * (1 - l - r), size * (1 - t - b)};
        Image image = blankImage(size, size);
        if (area.width >= 1 && area.height >= 1)
            draw(inner->value, image, area, dp, depth + 1);
        return image;
    }
    if (doc.nameIs(root, "layer-list")) {
        Image image = blankImage(size, size);
        for (const XmlElement &e : doc.elements())
            if (e.depth == 2 && doc.nameIs(e, "item"))
                if (const XmlAttribute *a = doc.attribute(e, AttrDrawable, "drawable"))
                    draw(a->value, image, {0, 0, double(size), double(size)}, dp, depth + 1);
        return image;
    }
    throw IconError("icon drawable <" + doc.string(root.name) + "> is not supported");
}

Image DrawableRenderer::adaptive(const XmlDocument &doc, int size, int depth)
{
    // Each layer is 108 dp square, of which a launcher shows the middle 72 dp through its mask.
    const RectF layerArea{-size * 0.25, -size * 0.25, size * 1.5, size * 1.5};
    Image image = blankImage(size, size);
    for (const char *layer : {"background", "foreground"}) {
        for (const XmlElement &e : doc.elements()) {
            if (e.depth != 2 || !doc.nameIs(e, layer))
                continue;
            const XmlAttribute *a = doc.attribute(e, AttrDrawable, "drawable");
            if (!a)
                continue;
            try {
                draw(a->value, image, layerArea, 108, depth + 1);
            } catch (const IconError &) {
                // A background we cannot draw leaves the foreground on a plain white one.
                if (std::strcmp(layer, "foreground") == 0)
                    throw;
                fillImage(image, 0xffffffff);
            }
            break;
        }
    }
    // The launcher's mask: a rounded square over the whole icon, its edge blended. Only the rows
    // of its corners are partly covered; those between are covered whole and stay as they are.
    const double radius = size * 0.22;
    const int band = int(std::ceil(radius)) + 1;
    auto mask = [&](int firstRow, int rows) {
        std::vector<char> reached(size_t(rows), 0);
        rasterize(Path::roundedRect(0, -firstRow, size, size, radius).flattened(0.1), FillRule::NonZero, size,
                  rows, [&](int y, int x0, int x1, const float *coverage) {
                      reached[size_t(y)] = 1;
                      uint8_t *px = image.row(firstRow + y);
                      std::fill(px, px + size_t(x0) * 4, uint8_t(0));
                      std::fill(px + size_t(x1) * 4, px + size_t(size) * 4, uint8_t(0));
                      for (int x = x0; x < x1; ++x)
                          if (const float share = coverage[x - x0]; share < 1)
                              for (size_t c = 0; c < 4; ++c)
                                  px[size_t(x) * 4 + c] = uint8_t(px[size_t(x) * 4 + c] * share + 0.5f);
                  });
        for (int y = 0; y < rows; ++y)
            if (!reached[size_t(y)])
                std::fill(image.row(firstRow + y), image.row(firstRow + y) + size_t(size) * 4, uint8_t(0));
    };
    if (2 * band >= size) {
        mask(0, size);
    } else {
        mask(0, band);
        mask(size - band, band);
    }
    return image;
}

Image DrawableRenderer::vector(const XmlDocument &doc, int size)
{
    const XmlElement &root = doc.elements().front();
    const double width = numberAttr(doc, root, AttrWidth, "width", 24),
                 height = numberAttr(doc, root, AttrHeight, "height", 24);
    if (!(width > 0 && height > 0))
        throw IconError("vector drawable without a size");
    // Drawn to fill the square in its own proportions.
    const double scale = size / std::max(width, height);
    const int w = std::max(1, int(std::lround(width * scale))),
              h = std::max(1, int(std::lround(height * scale)));
    Image image = blankImage(w, h);
    paintVector(doc, image, {0, 0, double(w), double(h)});
    return image;
}

void DrawableRenderer::paintVector(const XmlDocument &doc, Image &image, const RectF &area)
{
    const std::vector<XmlElement> &elements = doc.elements();
    const XmlElement &root = elements.front();
    auto number = [&](const XmlElement &e, uint32_t id, const char *name, double fallback) {
        return numberAttr(doc, e, id, name, fallback);
    };
    const double viewportWidth =
        number(root, AttrViewportWidth, "viewportWidth", number(root, AttrWidth, "width", 24));
    const double viewportHeight =
        number(root, AttrViewportHeight, "viewportHeight", number(root, AttrHeight, "height", 24));
    if (!(viewportWidth > 0 && viewportHeight > 0))
        throw IconError("vector drawable without a size");
    const int w = image.width, h = image.height;
    const double rootAlpha = std::clamp(number(root, AttrAlpha, "alpha", 1), 0.0, 1.0);
    constexpr double Tolerance = 0.1; // pixels a flattened curve may stray
    const Bounds canvas{0, 0, double(w), double(h)};

    struct Group
    {
        Transform transform;
        // Coverage of each pixel by the clip paths so far; none when unclipped.
        std::shared_ptr<const std::vector<float>> clip;
    };
    std::vector<Group> groups{{Transform::scaling(area.width / viewportWidth, area.height / viewportHeight)
                                   .then(Transform::translation(area.x, area.y)),
                               nullptr}};
    // Premultiplied, 0 to 1, with the element's and the drawable's alpha.
    auto colour = [&](const XmlElement &e, uint32_t id, const char *name, uint32_t alphaId,
                      const char *alphaName, float(&out)[4]) {
        const XmlAttribute *a = doc.attribute(e, id, name);
        const std::optional<uint32_t> v = a ? colourOf(a->value) : std::nullopt;
        if (!v)
            return false;
        colourFloats(*v, std::clamp(number(e, alphaId, alphaName, 1), 0.0, 1.0) * rootAlpha, out);
        return out[3] > 0;
    };
    auto pathOf = [&](const XmlElement &e) {
        const XmlAttribute *a = doc.attribute(e, AttrPathData, "pathData");
        if (!a || !a->hasRawString())
            return Path();
        const std::string &data = doc.rawString(*a);
        m_pathData += data.size();
        if (m_pathData > MaxPathData)
            throw IconError("vector drawable with implausibly much path data");
        return parsePathData(data);
    };
    auto fill = [&](const std::vector<Polyline> &polygons, FillRule rule, const float(&c)[4],
                    const Group &g) {
        rasterize(polygons, rule, w, h, [&](int y, int x0, int x1, const float *coverage) {
            paint(image, c, g.clip.get(), y, x0, x1, coverage);
        });
    };

    for (size_t i = 1; i < elements.size(); ++i) {
        const XmlElement &e = elements[i];
        if (e.depth < 2)
            continue;
        // Groups nest; an element closes every group deeper than its parent.
        if (size_t(e.depth - 1) > groups.size())
            continue; // inside something that is not a group
        groups.resize(size_t(e.depth - 1));
        const Group &parent = groups.back();
        if (doc.nameIs(e, "group")) {
            const double px = number(e, AttrPivotX, "pivotX", 0), py = number(e, AttrPivotY, "pivotY", 0);
            const Transform local =
                Transform::translation(-px, -py)
                    .then(Transform::scaling(number(e, AttrScaleX, "scaleX", 1),
                                             number(e, AttrScaleY, "scaleY", 1)))
                    .then(Transform::rotation(number(e, AttrRotation, "rotation", 0)))
                    .then(Transform::translation(number(e, AttrTranslateX, "translateX", 0) + px,
                                                 number(e, AttrTranslateY, "translateY", 0) + py));
            groups.push_back({local.then(parent.transform), parent.clip});
        } else if (doc.nameIs(e, "clip-path")) {
            auto clip = std::make_shared<std::vector<float>>(size_t(w) * size_t(h), 0.0f);
            const std::vector<float> *outer = parent.clip.get();
            rasterize(pathOf(e).transformed(parent.transform).flattened(Tolerance, &canvas),
                      FillRule::NonZero, w, h, [&](int y, int x0, int x1, const float *coverage) {
                          const size_t at = size_t(y) * size_t(w);
                          for (int x = x0; x < x1; ++x)
                              (*clip)[at + size_t(x)] =
                                  coverage[x - x0] * (outer ? (*outer)[at + size_t(x)] : 1.0f);
                      });
            groups.back().clip = std::move(clip);
        } else if (doc.nameIs(e, "path")) {
            const Path path = pathOf(e).transformed(parent.transform);
            if (path.isEmpty())
                continue;
            const XmlAttribute *fillType = doc.attribute(e, AttrFillType, "fillType");
            const FillRule rule =
                fillType && fillType->value.data == 1 ? FillRule::EvenOdd : FillRule::NonZero;
            float c[4];
            if (colour(e, AttrFillColor, "fillColor", AttrFillAlpha, "fillAlpha", c))
                fill(path.flattened(Tolerance, &canvas), rule, c, parent);
            const double strokeWidth = number(e, AttrStrokeWidth, "strokeWidth", 0);
            if (strokeWidth > 0 &&
                colour(e, AttrStrokeColor, "strokeColor", AttrStrokeAlpha, "strokeAlpha", c)) {
                // The stroke is drawn in viewport units: widen it by the group's scale.
                const double width = strokeWidth * std::sqrt(std::fabs(parent.transform.determinant()));
                // Corners reach out at most the miter limit times half the width.
                const double reach = 2 * width + 1;
                const Bounds around{-reach, -reach, w + reach, h + reach};
                fill(strokeOutline(path.flattened(Tolerance, &around), width), FillRule::NonZero, c, parent);
            }
        } else {
            groups.push_back(parent); // keeps depths aligned for children we pass over
        }
    }
}

} // namespace thumb
