#pragma once
// The sectioned text of a profile file, parsed into lines with byte offsets,
// and the edits the profile routines make to it. Pure functions of bytes: no
// file access, so any input can be thrown at it.
//
// Reading rules, as Windows users know them:
// - a line is everything up to LF; a CR right before the LF belongs to the line end;
// - blanks (space, tab, and stray CR, VT, FF) around names and values do not count;
// - "[name]" opens a section: the name runs to the last ']' on the line;
// - "key=value" is a key line: the key runs to the first '=';
// - a line starting with ';' is a comment, and any other line is left alone;
// - key lines before the first section belong to no section;
// - names match without regard to ASCII case; bytes above 0x7F must match exactly;
// - the first matching section wins, and within it the first matching key;
// - one pair of matching quotes, double or single, around a value is dropped.
//
// Edits touch only the lines they are about; every other byte stays as it was.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvora::platform {

enum class ProfileLineKind { Other, Section, Key };

struct ProfileLine {
    std::size_t begin = 0;       // first byte of the line
    std::size_t contentEnd = 0;  // end of the line's text, before its CR LF or LF
    std::size_t end = 0;         // after the line end
    ProfileLineKind kind = ProfileLineKind::Other;
    std::size_t nameBegin = 0;  // section name or key, blanks trimmed
    std::size_t nameEnd = 0;
    std::size_t valueBegin = 0;  // key lines: the value, blanks trimmed
    std::size_t valueEnd = 0;
};

class ProfileText {
  public:
    // Parses `bytes`, which must outlive this object. Linear in its size.
    explicit ProfileText(std::string_view bytes);

    const std::vector<ProfileLine>& Lines() const { return lines_; }

    // The value of the first matching key in the first matching section, with
    // one pair of surrounding quotes removed; nothing when either is missing.
    std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;

    std::vector<std::string_view> SectionNames() const;
    // The key names of the first matching section, in file order.
    std::vector<std::string_view> KeyNames(std::string_view section) const;

    // The text with the key set to `value`: an existing key line keeps its key
    // and spacing and gets the new value; a new key goes after the section's last
    // key line; a new section goes at the end. New lines use the text's own line
    // end, CR LF when it has none.
    std::string WithValue(std::string_view section, std::string_view key,
                          std::string_view value) const;
    // The text without the first matching key line of the first matching section.
    std::string WithoutKey(std::string_view section, std::string_view key) const;
    // The text without the first matching section: its header and every line
    // up to the next section header.
    std::string WithoutSection(std::string_view section) const;

  private:
    std::string_view Name(const ProfileLine& line) const;
    // Index of the first matching section header, or lines_.size().
    std::size_t FindSection(std::string_view section) const;
    // One past the last line of the section whose header is at `header`.
    std::size_t SectionEnd(std::size_t header) const;
    std::size_t FindKey(std::size_t header, std::string_view key) const;
    std::string_view LineEnd() const;

    std::string_view bytes_;
    std::vector<ProfileLine> lines_;
};

// Blanks that never count around names and values.
std::string_view TrimBlanks(std::string_view text);

// Whether two names match as profile names do: ASCII case ignored.
bool SameProfileName(std::string_view a, std::string_view b);

}  // namespace kelvora::platform
