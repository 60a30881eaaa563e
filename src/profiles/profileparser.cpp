// SPDX-License-Identifier: LGPL-2.1-or-later
// Device profile files: reading, parsing and the format table.
#include "profilemanager_p.h"
#include "untrustedxml_p.h"

#include <MavLibrary/net/platform/file.h>
#include <MavLibrary/text/utfconversion.h>

#include <libxml/tree.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace Quorvex::ProfileParser {

namespace {

bool isSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

int digitValue(char c, int base)
{
    int digit = 99;
    if (c >= '0' && c <= '9')
        digit = c - '0';
    else if (c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
    return digit < base ? digit : -1;
}

/*
    An unsigned number as "%u" reads it, or as "%x" after a "0x" or "0X" prefix
    when the text has at least 3 characters: leading white space and a "+" are
    allowed, whatever follows the digits is ignored. A text without digits does
    not parse, and neither does a negative number or one beyond 32 bits, which
    "%u" would wrap into a plausible-looking wrong size.
*/
bool readUnsigned(const std::string &text, unsigned &value)
{
    const char *at = text.c_str();
    int base = 10;
    if (text.size() >= 3 && at[0] == '0' && (at[1] == 'x' || at[1] == 'X')) {
        base = 16;
        at += 2;
    }
    while (isSpace(*at))
        ++at;
    if (*at == '+')
        ++at;
    std::uint64_t number = 0;
    const char *const digits = at;
    for (int digit; (digit = digitValue(*at, base)) >= 0; ++at) {
        number = number * unsigned(base) + unsigned(digit);
        if (number > UINT_MAX)
            return false;
    }
    if (at == digits)
        return false;
    value = unsigned(number);
    return true;
}

// A real number as "%lf" reads it in the C locale: the files write "29.97"
// whatever the user's locale says about decimal separators.
bool readReal(const std::string &text, double &value)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const char *begin = text.c_str();
    char *end = nullptr;
    const double number = cLocale ? strtod_l(begin, &end, cLocale) : std::strtod(begin, &end);
    if (end == begin)
        return false;
    value = number;
    return true;
}

bool is(const xmlNode *node, const char *name)
{
    return node->type == XML_ELEMENT_NODE
        && std::strcmp(reinterpret_cast<const char *>(node->name), name) == 0;
}

// The element children of \a node named \a name, in document order.
template<typename Visit> void forEach(const xmlNode *node, const char *name, Visit visit)
{
    for (const xmlNode *child = node->children; child; child = child->next) {
        if (is(child, name))
            visit(child);
    }
}

std::string textOf(const xmlNode *node)
{
    // Nearly every element holds one text node; only mixed content needs the copy.
    const xmlNode *child = node->children;
    if (!child)
        return {};
    if (!child->next && (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE))
        return child->content ? reinterpret_cast<const char *>(child->content) : "";
    xmlChar *content = xmlNodeGetContent(node);
    std::string text = content ? reinterpret_cast<const char *>(content) : "";
    xmlFree(content);
    return text;
}

std::wstring wide(const std::string &utf8)
{
    return ztds::utf8ToWide(utf8);
}

// Stores text under the attribute's value; both must be there.
void readName(const xmlNode *node, const char *attribute,
              std::map<std::string, std::wstring> &names)
{
    for (const xmlAttr *property = node->properties; property; property = property->next) {
        if (std::strcmp(reinterpret_cast<const char *>(property->name), attribute) != 0)
            continue;
        const std::string key = textOf(reinterpret_cast<const xmlNode *>(property));
        const std::string text = textOf(node);
        if (!key.empty() && !text.empty())
            names[key] = wide(text);
        return;
    }
}

void readMinMax(const xmlNode *node, double &min, double &max)
{
    forEach(node, "min", [&](const xmlNode *n) { readReal(textOf(n), min); });
    forEach(node, "max", [&](const xmlNode *n) { readReal(textOf(n), max); });
}

void readVideo(const xmlNode *video, ProfileWrapper &profile)
{
    forEach(video, "resolution", [&](const xmlNode *resolution) {
        const auto readSize = [](const xmlNode *node, VideoLimits &limits) {
            forEach(node, "width",
                    [&](const xmlNode *n) { readUnsigned(textOf(n), limits.width); });
            forEach(node, "height",
                    [&](const xmlNode *n) { readUnsigned(textOf(n), limits.height); });
        };
        forEach(resolution, "min", [&](const xmlNode *n) { readSize(n, profile.videoMin); });
        forEach(resolution, "max", [&](const xmlNode *n) { readSize(n, profile.videoMax); });
    });
    forEach(video, "scaling", [&](const xmlNode *n) {
        readMinMax(n, profile.videoMin.scaling, profile.videoMax.scaling);
    });
    forEach(video, "frameRate", [&](const xmlNode *n) {
        readMinMax(n, profile.videoMin.frameRate, profile.videoMax.frameRate);
    });
}

void readDisplay(const xmlNode *display, ProfileWrapper &profile)
{
    forEach(display, "customResolutionAllowed",
            [&](const xmlNode *n) { profile.customResolutionAllowed = textOf(n) == "true"; });
    forEach(display, "resolution", [&](const xmlNode *resolution) {
        ProfileWrapper::DisplayData entry;
        bool isDefault = false;
        for (const xmlNode *n = resolution->children; n; n = n->next) {
            // A size that does not parse falls back to the video minimum read so
            // far, not to the entry's own earlier value: files rely on neither.
            if (is(n, "width")) {
                entry.width = profile.videoMin.width;
                readUnsigned(textOf(n), entry.width);
            } else if (is(n, "height")) {
                entry.height = profile.videoMin.height;
                readUnsigned(textOf(n), entry.height);
            } else if (is(n, "name")) {
                readName(n, "lang", entry.names);
            } else if (is(n, "default")) {
                isDefault = true;
            }
        }
        if (entry.width == 0 || entry.height == 0)
            return;
        profile.displays.push_back(std::move(entry));
        if (isDefault)
            profile.defaultDisplay = int(profile.displays.size()) - 1;
    });
}

} // namespace

std::unique_ptr<ProfileWrapper> parse(const char *data, std::size_t size, const std::wstring &path,
                                      std::string *error)
{
    UntrustedXml::Document document = UntrustedXml::parse(data, size, error);
    if (!document)
        return nullptr;
    const xmlNode *root = xmlDocGetRootElement(document.get());
    if (!root) {
        if (error)
            *error = "no root element";
        return nullptr;
    }

    auto profile = std::make_unique<ProfileWrapper>();
    const std::size_t slash = path.rfind(L'/');
    if (slash != std::wstring::npos) {
        profile->directory = path.substr(0, slash);
        profile->fileName = path.substr(slash + 1);
    } else {
        profile->fileName = path;
    }

    for (const xmlNode *node = root->children; node; node = node->next) {
        if (is(node, "guid")) {
            profile->guid = textOf(node);
        } else if (is(node, "displayName")) {
            forEach(node, "lang",
                    [&](const xmlNode *n) { readName(n, "code", profile->displayNames); });
        } else if (is(node, "video")) {
            readVideo(node, *profile);
        } else if (is(node, "ZMF")) {
            forEach(node, "version", [&](const xmlNode *n) {
                const std::string text = textOf(n);
                if (!text.empty() && text[0] >= '0' && text[0] <= '3')
                    profile->versions |= 1u << (text[0] - '0');
            });
        } else if (is(node, "display")) {
            readDisplay(node, *profile);
        }
    }
    if (profile->guid.empty()) {
        if (error)
            *error = "no guid";
        return nullptr;
    }
    return profile;
}

std::unique_ptr<ProfileWrapper> parseFile(const std::wstring &path, std::string *error)
{
    std::string buffer;
    return parseFile(path, ztds::wideToUtf8(path), false, buffer, error);
}

std::unique_ptr<ProfileWrapper> parseFile(const std::wstring &path, const std::string &localPath,
                                          bool regularFile, std::string &buffer, std::string *error)
{
    const auto fail = [error](std::string reason) {
        if (error)
            *error = std::move(reason);
        return nullptr;
    };
    // Only regular files: opening a FIFO would wait for a writer, a device may
    // never end.
    if (!regularFile) {
        struct stat status;
        if (::stat(localPath.c_str(), &status) != 0)
            return fail(std::string("cannot read: ") + std::strerror(errno));
        if (!S_ISREG(status.st_mode))
            return fail("not a regular file");
    }

    ztpm::File file;
    if (file.open(path, ztpm::File::ReadExisting) != ztpm::File::Opened)
        return fail("cannot open");
    // Read to the end in growing steps rather than asking for the size first:
    // profiles are small, and each question is one more system call per file.
    std::size_t used = 0;
    for (;;) {
        if (buffer.size() == used)
            buffer.resize(
                std::min(std::max<std::size_t>(used * 2, 16384), UntrustedXml::MaximumSize + 1));
        const unsigned wanted = unsigned(buffer.size() - used);
        const unsigned got = file.read(buffer.data() + used, wanted);
        used += got;
        if (used > UntrustedXml::MaximumSize)
            return fail("larger than " + std::to_string(UntrustedXml::MaximumSize) + " bytes");
        if (got < wanted)
            break;
    }
    return parse(buffer.data(), used, path, error);
}

} // namespace Quorvex::ProfileParser
