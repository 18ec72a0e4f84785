#pragma once

#include <climits>
#include <cmath>
#include <istream>
#include <ostream>
#include <string>

#include "orvan/ves_color.h"
#include "orvan/ves_prop_string.h"
#include "orvan/vertex.h"

namespace orvan {

// Text pieces shared by several value types.
//
// Vector form: precision 10 (left so on the stream), x in a field of width 1, then y and z in
// fields of width 8, separated by single spaces.
void WriteVectorForm(std::ostream& os, float x, float y, float z);
// Three floats; a coordinate that cannot be extracted keeps its previous value.
void ReadVectorForm(std::istream& is, float& x, float& y, float& z);
// Red, green, blue, alpha as four integers separated by single spaces.
void WriteColorForm(std::ostream& os, const vesColor& color);
// Four integers, each stored truncated to 8 bits; one that cannot be extracted is kept.
void ReadColorForm(std::istream& is, vesColor& color);
// One whitespace-delimited word (what operator>> extracts); false when there is none.
bool ReadWord(std::istream& is, std::string& word);
// The leading decimal integer of text, as atoi reads it but without its overflow: a number out
// of the range of long saturates.
long LeadingInteger(const std::string& text);
// Truncation toward zero that saturates instead of overflowing (NaN gives 0).
long TruncatedToLong(double v);

// How one value type is written and read. kIntSet / kIntGet say whether ValueInt stores and
// returns the value directly (through FromLong / ToLong) or goes through the text form.
// The general case uses the type's own inserter and extractor; a value that cannot be
// extracted keeps the previous one.
template <typename T>
struct AttributeTextForm {
  static constexpr bool kIntSet = false;
  static constexpr bool kIntGet = false;
  static void Write(std::ostream& os, const T& v) { os << v; }
  static void Read(std::istream& is, T& v) {
    T read{};
    if (is >> read) v = read;
  }
  static T FromLong(long v) { return static_cast<T>(v); }
  static long ToLong(const T& v) { return static_cast<long>(v); }
};

template <>
struct AttributeTextForm<bool> {
  static constexpr bool kIntSet = true;
  static constexpr bool kIntGet = true;
  static void Write(std::ostream& os, const bool& v) { os << (v ? '1' : '0'); }
  // "TRUE"/"FALSE" in any case; another word is true when its leading integer is not zero.
  static void Read(std::istream& is, bool& v);
  static bool FromLong(long v) { return v != 0; }
  static long ToLong(const bool& v) { return v ? 1 : 0; }
};

template <>
struct AttributeTextForm<unsigned char> {
  static constexpr bool kIntSet = true;
  static constexpr bool kIntGet = true;
  static void Write(std::ostream& os, const unsigned char& v) { os << static_cast<int>(v); }
  static void Read(std::istream& is, unsigned char& v) {
    int read = 0;
    if (is >> read) v = static_cast<unsigned char>(read & 0xFF);
  }
  static unsigned char FromLong(long v) { return static_cast<unsigned char>(v & 0xFF); }
  static long ToLong(const unsigned char& v) { return v; }
};

template <>
struct AttributeTextForm<unsigned short> {
  static constexpr bool kIntSet = true;
  static constexpr bool kIntGet = true;
  static void Write(std::ostream& os, const unsigned short& v) { os << v; }
  static void Read(std::istream& is, unsigned short& v) {
    unsigned short read = 0;
    if (is >> read) v = read;
  }
  static unsigned short FromLong(long v) { return static_cast<unsigned short>(v & 0xFFFF); }
  static long ToLong(const unsigned short& v) { return v; }
};

template <>
struct AttributeTextForm<int> {
  static constexpr bool kIntSet = true;
  static constexpr bool kIntGet = true;
  static void Write(std::ostream& os, const int& v) { os << v; }
  static void Read(std::istream& is, int& v) {
    int read = 0;
    if (is >> read) v = read;
  }
  static int FromLong(long v) { return static_cast<int>(v); }
  static long ToLong(const int& v) { return v; }
};

template <>
struct AttributeTextForm<float> {
  static constexpr bool kIntSet = true;
  static constexpr bool kIntGet = true;
  static void Write(std::ostream& os, const float& v) { os << v; }
  static void Read(std::istream& is, float& v) {
    float read = 0.0f;
    if (is >> read) v = read;
  }
  static float FromLong(long v) { return static_cast<float>(v); }
  static long ToLong(const float& v) { return TruncatedToLong(v); }
};

template <>
struct AttributeTextForm<vesColor> {
  static constexpr bool kIntSet = false;
  static constexpr bool kIntGet = false;
  static void Write(std::ostream& os, const vesColor& v) { WriteColorForm(os, v); }
  static void Read(std::istream& is, vesColor& v) { ReadColorForm(is, v); }
  static vesColor FromLong(long) { return vesColor(); }
  static long ToLong(const vesColor&) { return 0; }
};

template <>
struct AttributeTextForm<Vertex> {
  static constexpr bool kIntSet = false;
  static constexpr bool kIntGet = false;
  static void Write(std::ostream& os, const Vertex& v) {
    WriteVectorForm(os, v.x, v.y, v.z);
    os << ' ';
    WriteColorForm(os, v.color);
  }
  static void Read(std::istream& is, Vertex& v) {
    ReadVectorForm(is, v.x, v.y, v.z);
    ReadColorForm(is, v.color);
  }
  static Vertex FromLong(long) { return Vertex(); }
  static long ToLong(const Vertex&) { return 0; }
};

// Plain strings are written as they are and read as one word.
template <>
struct AttributeTextForm<std::string> {
  static constexpr bool kIntSet = false;
  static constexpr bool kIntGet = false;
  static void Write(std::ostream& os, const std::string& v) { os << v; }
  static void Read(std::istream& is, std::string& v) {
    std::string word;
    if (ReadWord(is, word)) v = word;
  }
  static std::string FromLong(long) { return std::string(); }
  static long ToLong(const std::string&) { return 0; }
};

// Text properties keep the whole line: escaped on writing, unescaped on reading.
template <>
struct AttributeTextForm<VesPropString> {
  static constexpr bool kIntSet = false;
  static constexpr bool kIntGet = false;
  static void Write(std::ostream& os, const VesPropString& v);
  static void Read(std::istream& is, VesPropString& v);
  static VesPropString FromLong(long) { return VesPropString(); }
  static long ToLong(const VesPropString&) { return 0; }
};

}  // namespace orvan
