#include "member_path.h"

#include <clocale>
#include <cwctype>
#include <locale.h>

namespace za {
namespace {

// Decodes UTF-8; a byte that does not start a valid sequence becomes U+DC80 + byte so
// that every name still compares, and two different byte strings never fold together.
std::u32string decodeUtf8(std::string_view s)
{
    std::u32string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int extra = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0 && b >= 0xC2) {
            extra = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0 && b <= 0xF4) {
            extra = 3;
            cp = b & 0x07;
        } else {
            out.push_back(0xDC00 + b);
            ++i;
            continue;
        }
        bool ok = i + static_cast<size_t>(extra) < s.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (c & 0x3F);
        }
        // Reject overlong forms, surrogates and values beyond Unicode.
        if (ok && ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
                   (cp >= 0xD800 && cp <= 0xDFFF)))
            ok = false;
        if (!ok) {
            out.push_back(0xDC00 + b);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

// Case folding through the C library's Unicode tables, independent of the caller's
// locale settings.
char32_t fold(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (!utf8 || (c >= 0xDC80 && c <= 0xDCFF))
        return c;
    return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), utf8));
}

std::u32string folded(std::string_view s)
{
    std::u32string u = decodeUtf8(s);
    for (auto &c : u)
        c = fold(c);
    return u;
}

template <typename View> bool matchFolded(View p, View n)
{
    // Iterative matcher with single back-tracking point for the last '*'.
    size_t pi = 0, ni = 0, starP = View::npos, starN = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (pi < p.size() && p[pi] == '*') {
            starP = pi++;
            starN = ni;
        } else if (starP != View::npos) {
            pi = starP + 1;
            ni = ++starN;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

bool isAscii(std::string_view s)
{
    for (const char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

std::string_view foldAsciiInto(std::string_view s, char *buffer)
{
    for (size_t i = 0; i < s.size(); ++i)
        buffer[i] = (s[i] >= 'A' && s[i] <= 'Z') ? static_cast<char>(s[i] + ('a' - 'A')) : s[i];
    return std::string_view(buffer, s.size());
}

} // namespace

bool wildcardMatch(std::string_view pattern, std::string_view name)
{
    // "*.*" means every name, dotted or not, as on the archiver's home system.
    if (pattern == "*.*")
        pattern = "*";
    // Nearly every name in an archive is ASCII; those need no decoding.
    constexpr size_t kShort = 256;
    if (pattern.size() <= kShort && name.size() <= kShort && isAscii(pattern) && isAscii(name)) {
        char p[kShort], n[kShort];
        return matchFolded(foldAsciiInto(pattern, p), foldAsciiInto(name, n));
    }
    const std::u32string p = folded(pattern), n = folded(name);
    return matchFolded(std::u32string_view(p), std::u32string_view(n));
}

MemberPattern::MemberPattern(std::string_view text)
{
    m_components = splitMemberPath(text).components;
}

bool MemberPattern::matchesLeaf(std::string_view leaf) const
{
    return !m_components.empty() && wildcardMatch(m_components.back(), leaf);
}

bool MemberPattern::matches(const std::vector<std::string> &components, bool recursive) const
{
    const size_t n = m_components.size();
    if (n == 0 || components.size() < n)
        return false;
    // The pattern always lines up with the end of the path; only a recursive match may
    // leave leading folders over.
    const size_t start = components.size() - n;
    if (start != 0 && !recursive)
        return false;
    for (size_t k = 0; k < n; ++k) {
        if (!wildcardMatch(m_components[k], components[start + k]))
            return false;
    }
    return true;
}

SplitPath splitMemberPath(std::string_view name)
{
    SplitPath result;
    if (name.empty()) {
        result.problem = PathProblem::Empty;
        return result;
    }
    const bool driveLetter = name.size() >= 2 && name[1] == ':' &&
                             ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    if (name.front() == '/' || name.front() == '\\' || driveLetter)
        result.problem = PathProblem::Absolute;
    size_t pos = 0;
    while (pos <= name.size()) {
        size_t end = name.find_first_of("/\\", pos);
        if (end == std::string_view::npos)
            end = name.size();
        const std::string_view part = name.substr(pos, end - pos);
        if (part == "..") {
            if (result.problem == PathProblem::None)
                result.problem = PathProblem::ParentReference;
        } else if (!part.empty() && part != ".") {
            result.components.emplace_back(part);
        }
        pos = end + 1;
    }
    if (result.components.empty() && result.problem == PathProblem::None)
        result.problem = PathProblem::Empty;
    return result;
}

} // namespace za
