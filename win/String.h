#pragma once
// Text as the tool holds it: cp932 bytes.
#include <cstdarg>
#include <string>
#include <vector>

class CString {
 public:
  CString() = default;
  CString(const char* text) : m_text(text ? text : "") {}  // NOLINT: converts like the framework's
  CString(const char* text, size_t length) : m_text(text, length) {}

  int GetLength() const { return static_cast<int>(m_text.size()); }
  bool IsEmpty() const { return m_text.empty(); }
  operator const char*() const { return m_text.c_str(); }  // NOLINT
  const char* c_str() const { return m_text.c_str(); }
  const std::string& str() const { return m_text; }

  CString& operator=(const char* text) {
    m_text = text ? text : "";
    return *this;
  }
  CString& operator+=(const char* text) {
    m_text += text ? text : "";
    return *this;
  }
  bool operator==(const char* text) const { return m_text == (text ? text : ""); }

  // printf-style, sized to fit.
  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  std::string m_text;
};

class CStringArray {
 public:
  int GetSize() const { return static_cast<int>(m_items.size()); }
  const CString& GetAt(int index) const { return m_items.at(static_cast<size_t>(index)); }
  const CString& operator[](int index) const { return GetAt(index); }
  int Add(const CString& item) {
    m_items.push_back(item);
    return GetSize() - 1;
  }
  // Grows the array with empty strings as needed.
  void SetAtGrow(int index, const CString& item);
  void SetSize(int size) { m_items.resize(static_cast<size_t>(size)); }
  void RemoveAll() { m_items.clear(); }

 private:
  std::vector<CString> m_items;
};
