#include "common/profile_text.h"

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

}  // namespace qb
