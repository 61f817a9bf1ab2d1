// The driver's output: UTF-8 text and a minimal JSON writer.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace kvdriver {

inline std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

inline std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  int size =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
  return out;
}

// Minimal JSON writer: enough for flat objects, arrays of them and nested rectangles.
class Json {
 public:
  Json& Begin() {
    Sep();
    out_ += '{';
    first_ = true;
    return *this;
  }
  Json& End() {
    out_ += '}';
    first_ = false;
    return *this;
  }
  Json& BeginArray(const char* key) {
    Key(key);
    out_ += '[';
    first_ = true;
    return *this;
  }
  Json& EndArray() {
    out_ += ']';
    first_ = false;
    return *this;
  }
  Json& Str(const char* key, const std::string& value) {
    Key(key);
    Quote(value);
    return *this;
  }
  Json& Str(const char* key, const std::wstring& value) { return Str(key, Utf8(value)); }
  Json& Int(const char* key, long long value) {
    Key(key);
    out_ += std::to_string(value);
    return *this;
  }
  Json& Bool(const char* key, bool value) {
    Key(key);
    out_ += value ? "true" : "false";
    return *this;
  }
  Json& Hex(const char* key, unsigned long long value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "\"0x%08llX\"", value);
    Key(key);
    out_ += buf;
    return *this;
  }
  Json& Rect(const char* key, const RECT& r) {
    Key(key);
    out_ += '{';
    first_ = true;
    Int("left", r.left).Int("top", r.top).Int("right", r.right).Int("bottom", r.bottom);
    Int("width", r.right - r.left).Int("height", r.bottom - r.top);
    out_ += '}';
    first_ = false;
    return *this;
  }
  const std::string& Text() const { return out_; }

 private:
  void Sep() {
    if (!first_) out_ += ',';
  }
  void Key(const char* key) {
    if (key == nullptr) {  // an array element
      Sep();
      first_ = false;
      return;
    }
    Sep();
    first_ = false;
    Quote(key);
    out_ += ':';
  }
  void Quote(const std::string& s) {
    out_ += '"';
    for (unsigned char c : s) {
      switch (c) {
        case '"':
          out_ += "\\\"";
          break;
        case '\\':
          out_ += "\\\\";
          break;
        case '\n':
          out_ += "\\n";
          break;
        case '\r':
          out_ += "\\r";
          break;
        case '\t':
          out_ += "\\t";
          break;
        default:
          if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out_ += buf;
          } else {
            out_ += static_cast<char>(c);
          }
      }
    }
    out_ += '"';
  }

  std::string out_;
  bool first_ = true;
};

}  // namespace kvdriver
