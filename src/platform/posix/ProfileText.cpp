#include "platform/posix/ProfileText.h"

#include <cstring>

namespace kelvora::platform {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Narrows [begin, end) of `bytes` to its part without surrounding blanks. An
// all-blank range collapses onto its start, so an empty value still has a place.
void Trim(std::string_view bytes, std::size_t& begin, std::size_t& end) {
    while (end > begin && IsBlank(bytes[end - 1])) --end;
    while (begin < end && IsBlank(bytes[begin])) ++begin;
}

void Classify(std::string_view bytes, std::size_t textBegin, ProfileLine& line) {
    std::size_t first = textBegin;
    while (first < line.contentEnd && IsBlank(bytes[first])) ++first;
    if (first == line.contentEnd || bytes[first] == ';') return;

    const std::string_view text = bytes.substr(first, line.contentEnd - first);
    if (text.front() == '[') {
        const std::size_t close = text.rfind(']');
        if (close == 0 || close == std::string_view::npos) return;
        line.kind = ProfileLineKind::Section;
        line.nameBegin = first + 1;
        line.nameEnd = first + close;
        Trim(bytes, line.nameBegin, line.nameEnd);
        return;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return;
    line.kind = ProfileLineKind::Key;
    line.nameBegin = first;
    line.nameEnd = first + equals;
    Trim(bytes, line.nameBegin, line.nameEnd);
    line.valueBegin = first + equals + 1;
    line.valueEnd = line.contentEnd;
    Trim(bytes, line.valueBegin, line.valueEnd);
}

std::string_view WithoutQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    Trim(text, begin, end);
    return text.substr(begin, end - begin);
}

bool SameProfileName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

ProfileText::ProfileText(std::string_view bytes) : bytes_(bytes) {
    std::size_t pos = 0;
    while (pos < bytes_.size()) {
        ProfileLine line;
        line.begin = pos;
        const void* found = std::memchr(bytes_.data() + pos, '\n', bytes_.size() - pos);
        if (found == nullptr) {
            line.contentEnd = line.end = bytes_.size();
        } else {
            const std::size_t lf = static_cast<const char*>(found) - bytes_.data();
            line.end = lf + 1;
            line.contentEnd = (lf > pos && bytes_[lf - 1] == '\r') ? lf - 1 : lf;
        }
        // A byte order mark some editors put first is not part of the first name.
        std::size_t textBegin = pos;
        if (pos == 0 && bytes_.substr(0, line.contentEnd).starts_with(kUtf8Bom)) {
            textBegin = kUtf8Bom.size();
        }
        Classify(bytes_, textBegin, line);
        lines_.push_back(line);
        pos = line.end;
    }
}

std::string_view ProfileText::Name(const ProfileLine& line) const {
    return bytes_.substr(line.nameBegin, line.nameEnd - line.nameBegin);
}

std::size_t ProfileText::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == ProfileLineKind::Section &&
            SameProfileName(Name(lines_[i]), section)) {
            return i;
        }
    }
    return lines_.size();
}

std::size_t ProfileText::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != ProfileLineKind::Section) ++i;
    return i;
}

std::size_t ProfileText::FindKey(std::size_t header, std::string_view key) const {
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == ProfileLineKind::Key && SameProfileName(Name(lines_[i]), key)) {
            return i;
        }
    }
    return lines_.size();
}

std::string_view ProfileText::LineEnd() const {
    for (const ProfileLine& line : lines_) {
        if (line.end != line.contentEnd) return line.end - line.contentEnd == 2 ? "\r\n" : "\n";
    }
    return "\r\n";
}

std::optional<std::string_view> ProfileText::Value(std::string_view section,
                                                   std::string_view key) const {
    const std::size_t header = FindSection(section);
    if (header == lines_.size()) return std::nullopt;
    const std::size_t found = FindKey(header, key);
    if (found == lines_.size()) return std::nullopt;
    const ProfileLine& line = lines_[found];
    return WithoutQuotes(bytes_.substr(line.valueBegin, line.valueEnd - line.valueBegin));
}

std::vector<std::string_view> ProfileText::SectionNames() const {
    std::vector<std::string_view> names;
    for (const ProfileLine& line : lines_) {
        if (line.kind == ProfileLineKind::Section) names.push_back(Name(line));
    }
    return names;
}

std::vector<std::string_view> ProfileText::KeyNames(std::string_view section) const {
    std::vector<std::string_view> names;
    const std::size_t header = FindSection(section);
    if (header == lines_.size()) return names;
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == ProfileLineKind::Key) names.push_back(Name(lines_[i]));
    }
    return names;
}

std::string ProfileText::WithValue(std::string_view section, std::string_view key,
                                   std::string_view value) const {
    const std::string_view eol = LineEnd();
    std::string out;
    out.reserve(bytes_.size() + section.size() + key.size() + value.size() + 8);

    const std::size_t header = FindSection(section);
    if (header == lines_.size()) {
        out.append(bytes_);
        if (!out.empty() && out.back() != '\n' && out != kUtf8Bom) out.append(eol);
        out.append("[").append(section).append("]").append(eol);
        out.append(key).append("=").append(value).append(eol);
        return out;
    }

    const std::size_t found = FindKey(header, key);
    if (found != lines_.size()) {
        // Keep the key as the file spells it, and the spacing before the value.
        // The same value leaves the line, and so the file, as it was.
        const ProfileLine& line = lines_[found];
        if (bytes_.substr(line.valueBegin, line.valueEnd - line.valueBegin) == value) {
            return std::string(bytes_);
        }
        // A value that starts with blanks of its own takes the place of the old
        // spacing too; kept, the spacing would grow with every such write.
        std::size_t from = line.valueBegin;
        if (!value.empty() && IsBlank(value.front())) from = bytes_.find('=', line.nameEnd) + 1;
        out.append(bytes_.substr(0, from));
        out.append(value);
        out.append(bytes_.substr(line.contentEnd));
        return out;
    }

    std::size_t after = header;
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (lines_[i].kind == ProfileLineKind::Key) after = i;
    }
    const ProfileLine& line = lines_[after];
    out.append(bytes_.substr(0, line.end));
    if (line.end == line.contentEnd) out.append(eol);  // the file's last line had no line end
    out.append(key).append("=").append(value).append(eol);
    out.append(bytes_.substr(line.end));
    return out;
}

std::string ProfileText::WithoutKey(std::string_view section, std::string_view key) const {
    const std::size_t header = FindSection(section);
    if (header == lines_.size()) return std::string(bytes_);
    const std::size_t found = FindKey(header, key);
    if (found == lines_.size()) return std::string(bytes_);
    std::string out(bytes_.substr(0, lines_[found].begin));
    out.append(bytes_.substr(lines_[found].end));
    return out;
}

std::string ProfileText::WithoutSection(std::string_view section) const {
    const std::size_t header = FindSection(section);
    if (header == lines_.size()) return std::string(bytes_);
    const std::size_t end = SectionEnd(header);
    std::string out(bytes_.substr(0, lines_[header].begin));
    if (end < lines_.size()) out.append(bytes_.substr(lines_[end].begin));
    return out;
}

}  // namespace kelvora::platform
