#include "common/profile_text.h"

#include <algorithm>
#include <iterator>

#include "common/letter_case.h"

namespace qb {

namespace {

struct Line {
    std::size_t begin;    // first byte
    std::size_t content;  // end of the text, before "\r\n" or "\n"
    std::size_t end;      // after the line break (or the text's end)
};

Line line_at(std::string_view text, std::size_t begin) {
    std::size_t newline = text.find('\n', begin);
    const std::size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
    std::size_t content = newline == std::string_view::npos ? text.size() : newline;
    if (content > begin && text[content - 1] == '\r') --content;
    return {begin, content, end};
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view content_of(std::string_view text, const Line& line) {
    return trimmed(text.substr(line.begin, line.content - line.begin));
}

// The name of a "[name]" line; none for any other line.
std::optional<std::string_view> section_name(std::string_view content) {
    if (content.empty() || content.front() != '[') return std::nullopt;
    content.remove_prefix(1);
    const std::size_t close = content.find(']');
    return trimmed(close == std::string_view::npos ? content : content.substr(0, close));
}

std::string_view key_name(std::string_view content) { return trimmed(content.substr(0, content.find('='))); }

// The lines of the first `section`: from its header's end to the next
// header (or the text's end). None when there is no such section.
struct SectionSpan {
    std::size_t header_end;
    std::size_t end;
};

std::optional<SectionSpan> find_section(std::string_view text, std::string_view section) {
    std::optional<std::size_t> header_end;
    for (std::size_t at = 0; at < text.size();) {
        const Line line = line_at(text, at);
        const std::optional<std::string_view> name = section_name(content_of(text, line));
        if (name) {
            if (header_end) return SectionSpan{*header_end, line.begin};
            if (equal_ignoring_case(*name, trimmed(section))) header_end = line.end;
        }
        at = line.end;
    }
    if (header_end) return SectionSpan{*header_end, text.size()};
    return std::nullopt;
}

std::optional<Line> find_key(std::string_view text, const SectionSpan& span, std::string_view key) {
    for (std::size_t at = span.header_end; at < span.end;) {
        const Line line = line_at(text, at);
        const std::string_view content = content_of(text, line);
        if (!content.empty() && equal_ignoring_case(key_name(content), trimmed(key))) return line;
        at = line.end;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> profile_value(std::string_view text, std::string_view section, std::string_view key) {
    const std::optional<SectionSpan> span = find_section(text, section);
    if (!span) return std::nullopt;
    const std::optional<Line> line = find_key(text, *span, key);
    if (!line) return std::nullopt;
    const std::string_view content = content_of(text, *line);
    const std::size_t equals = content.find('=');
    std::string_view value = equals == std::string_view::npos ? std::string_view{} : trimmed(content.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

std::string with_profile_value(std::string_view text, std::string_view section, std::string_view key,
                               std::string_view value) {
    const std::string entry = std::string(trimmed(key)) + "=" + std::string(value);
    std::string result;
    const std::optional<SectionSpan> span = find_section(text, section);
    if (!span) {
        result = text;
        if (!result.empty() && result.back() != '\n') result += "\r\n";
        result += "[" + std::string(trimmed(section)) + "]\r\n" + entry + "\r\n";
        return result;
    }
    if (const std::optional<Line> line = find_key(text, *span, key)) {
        // The key keeps its spelling and the line its break.
        const std::string_view content = content_of(text, *line);
        const std::string_view name = key_name(content);
        result.append(text.substr(0, line->begin));
        result.append(name).append("=").append(value);
        result.append(text.substr(line->content));
        return result;
    }
    // After the section's last line that is not blank.
    std::size_t insert_at = span->header_end;
    for (std::size_t at = span->header_end; at < span->end;) {
        const Line line = line_at(text, at);
        if (!content_of(text, line).empty()) insert_at = line.end;
        at = line.end;
    }
    result.append(text.substr(0, insert_at));
    if (insert_at > 0 && text[insert_at - 1] != '\n') result += "\r\n";
    result += entry + "\r\n";
    result.append(text.substr(insert_at));
    return result;
}

namespace {

constexpr std::uint8_t kUtf8Mark[] = {0xEF, 0xBB, 0xBF};

bool starts_with(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> mark) {
    return bytes.size() >= mark.size() && std::equal(mark.begin(), mark.end(), bytes.begin());
}

// One UTF-16 unit, or a pair, as UTF-8; a lone surrogate as its own three
// bytes, so that it comes back as it was.
void append_utf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void append_unit(std::vector<std::uint8_t>& out, std::uint32_t unit, bool big_endian) {
    const auto low = static_cast<std::uint8_t>(unit & 0xFF);
    const auto high = static_cast<std::uint8_t>(unit >> 8);
    out.push_back(big_endian ? high : low);
    out.push_back(big_endian ? low : high);
}

// The text made by decode_profile_file (or edited with ASCII) back into
// UTF-16 units. A byte that begins no sequence, which an edit never
// makes, goes over as a unit of its own value.
void append_utf16(std::vector<std::uint8_t>& out, std::string_view text, bool big_endian) {
    std::size_t i = 0;
    auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(text[at]); };
    auto follows = [&](std::size_t at) { return at < text.size() && (byte(at) & 0xC0) == 0x80; };
    while (i < text.size()) {
        const std::uint8_t first = byte(i);
        std::uint32_t code = first;
        std::size_t length = 1;
        if (first >= 0xF0 && follows(i + 1) && follows(i + 2) && follows(i + 3)) {
            code = ((first & 0x07u) << 18) | ((byte(i + 1) & 0x3Fu) << 12) | ((byte(i + 2) & 0x3Fu) << 6) |
                   (byte(i + 3) & 0x3Fu);
            length = 4;
        } else if (first >= 0xE0 && follows(i + 1) && follows(i + 2)) {
            code = ((first & 0x0Fu) << 12) | ((byte(i + 1) & 0x3Fu) << 6) | (byte(i + 2) & 0x3Fu);
            length = 3;
        } else if (first >= 0xC0 && follows(i + 1)) {
            code = ((first & 0x1Fu) << 6) | (byte(i + 1) & 0x3Fu);
            length = 2;
        }
        if (code >= 0x10000) {
            append_unit(out, 0xD800 + ((code - 0x10000) >> 10), big_endian);
            append_unit(out, 0xDC00 + ((code - 0x10000) & 0x3FF), big_endian);
        } else {
            append_unit(out, code, big_endian);
        }
        i += length;
    }
}

}  // namespace

ProfileFile decode_profile_file(std::span<const std::uint8_t> bytes) {
    ProfileFile file;
    const bool little = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
    const bool big = bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF;
    if (starts_with(bytes, kUtf8Mark)) {
        file.encoding = ProfileEncoding::Utf8;
        file.text.assign(bytes.begin() + 3, bytes.end());
    } else if (little || big) {
        file.encoding = little ? ProfileEncoding::Utf16LittleEndian : ProfileEncoding::Utf16BigEndian;
        std::size_t end = bytes.size();
        if ((end - 2) % 2 != 0) file.odd_byte = bytes[--end];
        file.text.reserve(end);
        for (std::size_t i = 2; i < end; i += 2) {
            const std::uint32_t unit = little ? bytes[i] | (bytes[i + 1] << 8) : (bytes[i] << 8) | bytes[i + 1];
            if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < end) {
                const std::uint32_t next =
                    little ? bytes[i + 2] | (bytes[i + 3] << 8) : (bytes[i + 2] << 8) | bytes[i + 3];
                if (next >= 0xDC00 && next < 0xE000) {
                    append_utf8(file.text, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                    i += 2;
                    continue;
                }
            }
            append_utf8(file.text, unit);
        }
    } else {
        file.text.assign(bytes.begin(), bytes.end());
    }
    return file;
}

std::vector<std::uint8_t> encode_profile_file(const ProfileFile& file) {
    std::vector<std::uint8_t> bytes;
    switch (file.encoding) {
        case ProfileEncoding::CodePage1251: bytes.assign(file.text.begin(), file.text.end()); break;
        case ProfileEncoding::Utf8:
            bytes.reserve(std::size(kUtf8Mark) + file.text.size());
            for (const std::uint8_t mark : kUtf8Mark) bytes.push_back(mark);
            bytes.insert(bytes.end(), file.text.begin(), file.text.end());
            break;
        case ProfileEncoding::Utf16LittleEndian:
        case ProfileEncoding::Utf16BigEndian: {
            const bool big = file.encoding == ProfileEncoding::Utf16BigEndian;
            bytes.reserve(2 + 2 * file.text.size() + 1);
            append_unit(bytes, 0xFEFF, big);
            append_utf16(bytes, file.text, big);
            break;
        }
    }
    if (file.odd_byte) bytes.push_back(*file.odd_byte);
    return bytes;
}

}  // namespace qb
