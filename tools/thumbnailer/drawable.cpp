#include "drawable.h"

#include "cgbi_png.h"
#include "icon_limits.h"
#include "image_decode.h"
#include "path_data.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <bit>
#include <cmath>

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
    return s.size() >= n && std::equal(s.end() - long(n), s.end(), tail,
                                       [](char a, char b) { return std::tolower(uchar(a)) == b; });
}

// The standard density at which `dp` pixels make at least `pixels`, or the highest.
int densityFor(int pixels, int dp)
{
    for (int d : Densities)
        if (int64_t(dp) * d >= int64_t(pixels) * 160)
            return d;
    return Densities[std::size(Densities) - 1];
}

QColor argb(uint32_t v)
{
    return QColor::fromRgba(QRgb(v));
}

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        throw IconError("out of memory");
    image.fill(Qt::transparent);
    return image;
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

} // namespace

aapt::ResConfig DrawableRenderer::config(int density) const
{
    aapt::ResConfig c = aapt::ResConfig::request("en-US");
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
            const std::string path = p.table->resolveString(value, config(d));
            if (path.empty() || !p.archive->find(path))
                continue;
            Candidate c{i, path};
            if (d == requestDensity && !requested)
                requested = c;
            if (std::none_of(found.begin(), found.end(),
                             [&](const Candidate &f) { return f.package == i && f.path == path; }))
                found.push_back(c);
        }
    }
    return found;
}

std::string DrawableRenderer::member(const Candidate &c, uint64_t maxSize) const
{
    const std::unique_ptr<aapt::ByteSource> bytes =
        m_packages[c.package].archive->open(c.path.c_str(), maxSize);
    return std::string(reinterpret_cast<const char *>(bytes->data()), size_t(bytes->size()));
}

QImage DrawableRenderer::render(const ResValue &value, int size, int dp, int depth)
{
    if (depth > MaxNesting)
        throw IconError("drawables nested too deeply");
    if (const auto colour = colourOf(value)) {
        QImage image = blank(size, size);
        image.fill(argb(*colour));
        return image;
    }
    if (value.type != ResValue::Reference)
        throw IconError("the icon is neither a resource nor a colour");
    std::optional<Candidate> requested;
    const std::vector<Candidate> found = candidates(value, densityFor(size, dp), requested);
    if (found.empty())
        throw IconError("the icon resource names no file in the package");
    // An XML drawable the platform would pick for this density wins over bitmaps elsewhere
    // (an adaptive icon in mipmap-anydpi-v26 beside the bitmaps older systems show).
    if (requested && endsWith(requested->path, ".xml"))
        return renderXml(*requested, size, dp, depth);

    // Of the bitmaps, the smallest that fills the size, else the largest.
    std::optional<Candidate> best;
    QSize bestSize;
    for (const Candidate &c : found) {
        if (endsWith(c.path, ".xml"))
            continue;
        QSize s;
        try {
            s = imageSize(member(c, MaxImageBytes));
        } catch (const aapt::RefusedError &) {
            throw;
        } catch (const aapt::FormatError &) {
            continue;
        }
        if (!s.isValid())
            continue;
        const int side = std::max(s.width(), s.height()),
                  bestSide = std::max(bestSize.width(), bestSize.height());
        const bool fits = side >= size, bestFits = bestSide >= size;
        if (!best || (fits && (!bestFits || side < bestSide)) || (!fits && !bestFits && side > bestSide)) {
            best = c;
            bestSize = s;
        }
    }
    if (!best) {
        if (requested)
            return renderXml(*requested, size, dp, depth);
        const auto xml = std::find_if(found.begin(), found.end(),
                                      [](const Candidate &c) { return endsWith(c.path, ".xml"); });
        if (xml != found.end())
            return renderXml(*xml, size, dp, depth);
        throw IconError("no icon image that can be read");
    }
    return decodeImage(member(*best, MaxImageBytes));
}

QImage DrawableRenderer::renderXml(const Candidate &c, int size, int dp, int depth)
{
    const std::string bytes = member(c, MaxDocumentBytes);
    aapt::MemorySource source(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
    // Vector drawables nest groups; the depth only bounds what is kept, not what is checked.
    const XmlDocument doc(source, 64);
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
        QImage image = blank(size, size);
        if (colour)
            if (const auto v = colourOf(colour->value))
                image.fill(argb(*v));
        return image;
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
        const QRectF area(l * size, t * size, size * (1 - l - r), size * (1 - t - b));
        QImage image = blank(size, size);
        if (area.width() >= 1 && area.height() >= 1) {
            const QImage content =
                render(inner->value, int(std::ceil(std::max(area.width(), area.height()))), dp, depth + 1);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(area, content);
        }
        return image;
    }
    if (doc.nameIs(root, "layer-list")) {
        QImage image = blank(size, size);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            for (const XmlElement &e : doc.elements())
                if (e.depth == 2 && doc.nameIs(e, "item"))
                    if (const XmlAttribute *a = doc.attribute(e, AttrDrawable, "drawable"))
                        painter.drawImage(QRectF(0, 0, size, size), render(a->value, size, dp, depth + 1));
        }
        return image;
    }
    throw IconError("icon drawable <" + doc.string(root.name) + "> is not supported");
}

QImage DrawableRenderer::adaptive(const XmlDocument &doc, int size, int depth)
{
    // Each layer is 108 dp square, of which a launcher shows the middle 72 dp through its mask.
    const int layerSize = int(std::lround(size * 1.5));
    const QRectF layerArea(-size * 0.25, -size * 0.25, layerSize, layerSize);
    QImage image = blank(size, size);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        for (const char *layer : {"background", "foreground"}) {
            for (const XmlElement &e : doc.elements()) {
                if (e.depth != 2 || !doc.nameIs(e, layer))
                    continue;
                const XmlAttribute *a = doc.attribute(e, AttrDrawable, "drawable");
                if (!a)
                    continue;
                QImage content;
                try {
                    content = render(a->value, layerSize, 108, depth + 1);
                } catch (const IconError &) {
                    // A background we cannot draw leaves the foreground on a plain white one.
                    if (std::strcmp(layer, "foreground") == 0)
                        throw;
                    content = blank(1, 1);
                    content.fill(Qt::white);
                }
                painter.drawImage(layerArea, content);
                break;
            }
        }
        // The launcher's mask: a rounded square over the whole icon.
        QPainterPath mask;
        mask.addRoundedRect(QRectF(0, 0, size, size), size * 0.22, size * 0.22);
        QImage alpha = blank(size, size);
        {
            QPainter maskPainter(&alpha);
            maskPainter.setRenderHint(QPainter::Antialiasing);
            maskPainter.fillPath(mask, Qt::black);
        }
        painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        painter.drawImage(0, 0, alpha);
    }
    return image;
}

QImage DrawableRenderer::vector(const XmlDocument &doc, int size)
{
    const XmlElement &root = doc.elements().front();
    auto number = [&](const XmlElement &e, uint32_t id, const char *name, double fallback) {
        return numberAttr(doc, e, id, name, fallback);
    };
    const double width = number(root, AttrWidth, "width", 24),
                 height = number(root, AttrHeight, "height", 24);
    const double viewportWidth = number(root, AttrViewportWidth, "viewportWidth", width);
    const double viewportHeight = number(root, AttrViewportHeight, "viewportHeight", height);
    if (!(width > 0 && height > 0 && viewportWidth > 0 && viewportHeight > 0))
        throw IconError("vector drawable without a size");
    // Drawn to fill the square in its own proportions.
    const double scale = size / std::max(width, height);
    const int w = std::max(1, int(std::lround(width * scale))),
              h = std::max(1, int(std::lround(height * scale)));
    QImage image = blank(w, h);
    paintVector(doc, image, viewportWidth, viewportHeight);
    return image;
}

void DrawableRenderer::paintVector(const XmlDocument &doc, QImage &image, double viewportWidth,
                                   double viewportHeight)
{
    const std::vector<XmlElement> &elements = doc.elements();
    const XmlElement &root = elements.front();
    auto number = [&](const XmlElement &e, uint32_t id, const char *name, double fallback) {
        return numberAttr(doc, e, id, name, fallback);
    };
    const double w = image.width(), h = image.height();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double rootAlpha = std::clamp(number(root, AttrAlpha, "alpha", 1), 0.0, 1.0);

    struct Group
    {
        QTransform transform;
        QPainterPath clip;
        bool clipped = false;
    };
    std::vector<Group> groups{{QTransform::fromScale(w / viewportWidth, h / viewportHeight), {}, false}};
    auto colour = [&](const XmlElement &e, uint32_t id, const char *name, uint32_t alphaId,
                      const char *alphaName) -> std::optional<QColor> {
        const XmlAttribute *a = doc.attribute(e, id, name);
        if (!a)
            return std::nullopt;
        const std::optional<uint32_t> v = colourOf(a->value);
        if (!v)
            return std::nullopt;
        QColor c = argb(*v);
        c.setAlphaF(float(c.alphaF() * std::clamp(number(e, alphaId, alphaName, 1), 0.0, 1.0) * rootAlpha));
        return c;
    };
    auto pathOf = [&](const XmlElement &e) {
        const XmlAttribute *a = doc.attribute(e, AttrPathData, "pathData");
        if (!a || !a->hasRawString())
            return QPainterPath();
        const std::string &data = doc.rawString(*a);
        m_pathData += data.size();
        if (m_pathData > MaxPathData)
            throw IconError("vector drawable with implausibly much path data");
        return parsePathData(data);
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
            QTransform t;
            t.translate(number(e, AttrTranslateX, "translateX", 0) + px,
                        number(e, AttrTranslateY, "translateY", 0) + py);
            t.rotate(number(e, AttrRotation, "rotation", 0));
            t.scale(number(e, AttrScaleX, "scaleX", 1), number(e, AttrScaleY, "scaleY", 1));
            t.translate(-px, -py);
            groups.push_back({t * parent.transform, parent.clip, parent.clipped});
        } else if (doc.nameIs(e, "clip-path")) {
            const QPainterPath clip = parent.transform.map(pathOf(e));
            Group &g = groups.back();
            g.clip = g.clipped ? g.clip.intersected(clip) : clip;
            g.clipped = true;
        } else if (doc.nameIs(e, "path")) {
            QPainterPath path = pathOf(e);
            const XmlAttribute *fillType = doc.attribute(e, AttrFillType, "fillType");
            path.setFillRule(fillType && fillType->value.data == 1 ? Qt::OddEvenFill : Qt::WindingFill);
            path = parent.transform.map(path);
            painter.setClipping(parent.clipped);
            if (parent.clipped)
                painter.setClipPath(parent.clip);
            if (const auto fill = colour(e, AttrFillColor, "fillColor", AttrFillAlpha, "fillAlpha"))
                painter.fillPath(path, *fill);
            if (const auto stroke =
                    colour(e, AttrStrokeColor, "strokeColor", AttrStrokeAlpha, "strokeAlpha")) {
                const double strokeWidth = number(e, AttrStrokeWidth, "strokeWidth", 0);
                if (strokeWidth > 0) {
                    // The stroke is drawn in viewport units: widen it by the group's scale.
                    const double factor = std::sqrt(std::fabs(parent.transform.determinant()));
                    painter.strokePath(path, QPen(*stroke, strokeWidth * factor));
                }
            }
        } else {
            groups.push_back(parent); // keeps depths aligned for children we pass over
        }
    }
}

} // namespace thumb
