// IniText: one pass over the lines for every lookup; the files are a few kilobytes.
#include "ini_text.h"

#include "shift_jis.h"

namespace {

// The platform's white space, with ^Z (an old end-of-file mark some files still carry).
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1A';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The program's names are ASCII, and no two-byte character of the file folds to ASCII, so ASCII
// case folding matches names as the platform matches them. A name in the file ends at a NUL.
bool SameName(std::string_view inFile, std::string_view name) {
  inFile = UpToNul(inFile);
  if (inFile.size() != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (AsciiUpper(inFile[i]) != AsciiUpper(name[i])) return false;
  return true;
}

// The last "]" of a section line that is a character of its own: 0x5D is also a trail byte.
std::optional<std::size_t> LastClosingBracket(std::string_view text) {
  std::optional<std::size_t> found;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(text[i]))) {
      ++i;
    } else if (text[i] == ']') {
      found = i;
    }
  }
  return found;
}

}  // namespace

struct IniText::Line {
  std::size_t end = 0;   // where the line's CR LF or LF begins, or the end of the text
  std::size_t next = 0;  // where the following line begins
  bool hasNewline = false;
  bool blank = true;
  std::optional<std::string_view> sectionName;  // of a "[name]" line
  std::string_view keyName;                     // of any other line: its text before "=", trimmed
  std::optional<std::string_view> value;        // after "=", trimmed
};

struct IniText::Section {
  std::size_t bodyStart = 0;
  std::size_t bodyEnd = 0;  // where the next section begins, or the end of the text
  Line lastFilled;          // the last line of the section that is not blank (its header if none)
};

IniText::Line IniText::LineAt(std::size_t start) const {
  Line line;
  const std::size_t newline = bytes_.find('\n', start);
  line.hasNewline = newline != std::string::npos;
  line.end = line.hasNewline ? newline : bytes_.size();
  line.next = line.hasNewline ? newline + 1 : bytes_.size();
  if (line.end > start && bytes_[line.end - 1] == '\r') --line.end;
  const std::string_view content = Trimmed(std::string_view(bytes_).substr(start, line.end - start));
  line.blank = content.empty();
  if (!content.empty() && content.front() == '[') {
    if (const auto bracket = LastClosingBracket(content)) {
      line.sectionName = content.substr(1, *bracket - 1);
      return line;
    }
  }
  const std::size_t equals = content.find('=');
  line.keyName = Trimmed(content.substr(0, equals));
  if (equals != std::string_view::npos) line.value = Trimmed(content.substr(equals + 1));
  return line;
}

std::optional<IniText::Section> IniText::FindSection(std::string_view name) const {
  // The platform skips the byte order mark an editor may put before UTF-8 text.
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  std::optional<Section> found;
  for (std::size_t start = bytes_.compare(0, kUtf8Mark.size(), kUtf8Mark) == 0 ? kUtf8Mark.size() : 0;
       start < bytes_.size();) {
    const Line line = LineAt(start);
    if (found) {
      if (line.sectionName) break;
      if (!line.blank) found->lastFilled = line;
      found->bodyEnd = line.next;
    } else if (line.sectionName && SameName(*line.sectionName, name)) {
      found = Section{line.next, line.next, line};
    }
    start = line.next;
  }
  return found;
}

std::optional<IniText::Line> IniText::FindKey(const Section& section, std::string_view key) const {
  for (std::size_t start = section.bodyStart; start < section.bodyEnd;) {
    const Line line = LineAt(start);
    if (SameName(line.keyName, key)) return line;
    start = line.next;
  }
  return std::nullopt;
}

std::optional<std::string> IniText::Value(std::string_view section, std::string_view key) const {
  const auto found = FindSection(section);
  if (!found) return std::nullopt;
  const auto line = FindKey(*found, key);
  if (!line || !line->value) return std::nullopt;
  std::string_view value = UpToNul(*line->value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view text) {
  const std::string keyLine = std::string(key) + "=" + std::string(text) + "\r\n";
  const auto found = FindSection(section);
  if (!found) {
    if (!bytes_.empty() && bytes_.back() != '\n') bytes_ += "\r\n";
    bytes_ += "[" + std::string(section) + "]\r\n" + keyLine;
    return;
  }
  if (const auto line = FindKey(*found, key)) {
    const std::size_t nameEnd = static_cast<std::size_t>(line->keyName.data() - bytes_.data()) + line->keyName.size();
    bytes_.replace(nameEnd, line->end - nameEnd, "=" + std::string(text));
    return;
  }
  const Line& last = found->lastFilled;
  bytes_.insert(last.next, (last.hasNewline ? "" : "\r\n") + keyLine);
}
