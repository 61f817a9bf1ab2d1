// The help file's format. WinHelp's own format died with WinHelp, so this one is ours: plain
// text that anyone can edit, in code page 932 with CR LF line ends like the files under Data.
//
//   ; A line that starts with a semicolon is a comment.
//   #1 Korvaneについて
//   The lines of the topic's text, shown as they are; the help window wraps long lines,
//   so a paragraph is one line. Blank lines separate paragraphs.
//
//   #10 設定
//   ...
//
// - "#<context> <title>" starts a topic: '#' in the first column, the help context in decimal
//   (0 to 2147483647, no sign), then a blank or tab and the title. A topic without a title is
//   named by its context. Everything up to the next such line is the topic's text.
// - Topics are listed in file order. Two topics with the same context are both listed; the
//   context finds the first.
// - In a topic's text, a line that starts with "##" or ";;" shows with one '#' or ';' less,
//   so that a text line can start with either.
// - Blanks at the end of a line are dropped, runs of blank lines shown as one, and blank lines
//   at the start and the end of a topic not shown.
// - Text before the first topic is not shown (a place for notes about the file).
// - Read in text mode as the data files are: CR bytes are dropped and a 0x1A byte ends the
//   file, so LF line ends read the same.
//
// Damage: a line that starts with '#' but is no topic line ("#abc", "#-1", a context beyond
// 2147483647) is a topic that cannot be read: it is left out with its text up to the next
// topic line. Bytes that are not code page 932 (a lead byte without its trail byte, 0x80,
// 0xA0, 0xFD to 0xFF) show as '?', a lone lead byte at a line's end is dropped, and control
// bytes other than tab are dropped. So binary junk gives some garbled topics at most, or none.
// Only the first kMaxTopics topics are taken.
#include "help/HelpBook.h"

#include <cstdint>

#include "platform/TextMode.h"

namespace korvane {

namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// The line as well-formed code page 932: see the damage rules above.
std::string CleanLine(const std::string& line) {
  std::string out;
  out.reserve(line.size());
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (IsLeadByte(c)) {
      if (i + 1 == line.size()) break;  // cut off: nothing to show of it
      const auto trail = static_cast<unsigned char>(line[i + 1]);
      if (IsTrailByte(trail)) {
        out += line[i];
        out += line[i + 1];
        ++i;
      } else {
        out += '?';  // the next byte is read on its own
      }
    } else if (c == '\t' || (c >= 0x20 && c < 0x7F) || (c >= 0xA1 && c <= 0xDF)) {
      out += line[i];
    } else if (c >= 0x80) {
      out += '?';
    }
    // Other control bytes (and DEL) are dropped.
  }
  return out;
}

void TrimEnd(std::string& text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
}

std::string TrimStart(const std::string& text) {
  std::size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
  return text.substr(start);
}

// Cut to at most `limit` bytes without splitting a double-byte character (the text is clean).
std::string CutTo(const std::string& text, std::size_t limit) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t step = IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + step > limit) break;
    end += step;
  }
  return text.substr(0, end);
}

// "#<context> <title>": true with the context and the rest of the line when it is one.
bool ReadTopicLine(const std::string& line, int& context, std::string& rest) {
  std::size_t pos = 1;
  std::int64_t value = 0;
  while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') {
    value = value * 10 + (line[pos] - '0');
    if (value > INT32_MAX) return false;
    ++pos;
  }
  if (pos == 1) return false;  // no digit
  if (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') return false;
  context = static_cast<int>(value);
  rest = line.substr(pos);
  return true;
}

// Builds one topic's text from its lines.
class BodyBuilder {
 public:
  void Add(std::string line) {
    TrimEnd(line);
    if (line.empty()) {
      blankPending_ = !body_.empty();
      return;
    }
    if (blankPending_) body_ += "\r\n";
    if (!body_.empty()) body_ += "\r\n";
    body_ += line;
    blankPending_ = false;
  }
  std::string Take() {
    blankPending_ = false;
    return std::move(body_);
  }

 private:
  std::string body_;
  bool blankPending_ = false;
};

}  // namespace

HelpBook HelpBook::Parse(const std::string& bytes) {
  HelpBook book;
  const std::string text = platform::FromTextModeBytes(bytes);

  enum class Reading { Preamble, Topic, Damaged } reading = Reading::Preamble;
  BodyBuilder body;
  auto finishTopic = [&] {
    if (reading == Reading::Topic) book.topics_.back().Body = body.Take();
  };

  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    pos = end + 1;

    // '#' and ';' are below every trail byte, so a line's first byte is never half a character.
    if (line.compare(0, 2, "##") == 0 || line.compare(0, 2, ";;") == 0) {
      if (reading == Reading::Topic) body.Add(CleanLine(line.substr(1)));
      continue;
    }
    if (!line.empty() && line[0] == ';') continue;
    if (!line.empty() && line[0] == '#') {
      finishTopic();
      int context = 0;
      std::string rest;
      if (!ReadTopicLine(line, context, rest)) {
        reading = Reading::Damaged;
        continue;
      }
      if (book.topics_.size() == kMaxTopics) {
        reading = Reading::Damaged;  // the rest of the file is not taken
        break;
      }
      std::string title = CleanLine(rest);
      for (char& c : title) {
        if (c == '\t') c = ' ';
      }
      title = CutTo(TrimStart(title), kMaxTitleBytes);
      TrimEnd(title);
      if (title.empty()) title = std::to_string(context);
      book.topics_.push_back(platform::HelpTopic{context, std::move(title), {}});
      reading = Reading::Topic;
      continue;
    }
    if (reading == Reading::Topic) body.Add(CleanLine(line));
  }
  finishTopic();
  return book;
}

std::size_t HelpBook::IndexOf(int context) const {
  for (std::size_t i = 0; i < topics_.size(); ++i) {
    if (topics_[i].Context == context) return i;
  }
  return 0;
}

}  // namespace korvane
