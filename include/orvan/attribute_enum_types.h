#pragma once

#include <istream>
#include <ostream>

#include "orvan/attribute_text_form.h"

namespace orvan {

// Enumerations published as attributes whose text is a name. Each has int as its underlying
// type, so that any number read from a resource is a valid value.

// How the colour data of a compiled-in picture are stored.
enum vesImageCodec : int { VES_CODEC_RAW = 0, VES_CODEC_LZ77 = 1, VES_CODEC_JPEG = 2 };

// A light at a point, or a directional light at infinity.
enum LightType_e : int { LIGHT_LOCAL = 0, LIGHT_INFINITE = 1 };

// Horizontal justification of text.
enum Justify_t : int { LEFT = 0, CENTER = 1, RIGHT = 2 };

// Vertical alignment of text in a text box.
enum Align_t : int { ALIGN_CENTER = 0, ALIGN_TOP = 1, ALIGN_BOTTOM = 2 };

// Justify_t and Align_t attributes are plain OrvanAttribute<T> with a fixed list of names: a
// value outside the list writes nothing, a word that is no name changes nothing, and ValueInt
// sets through the text (so a number changes nothing) but gives the stored value.
template <typename T>
struct FixedNameTextForm {
  static constexpr bool kIntSet = false;
  static constexpr bool kIntGet = true;
  static void Write(std::ostream& os, const T& v);
  static void Read(std::istream& is, T& v);
  static T FromLong(long v) { return static_cast<T>(v); }
  static long ToLong(const T& v) { return static_cast<long>(v); }
};

template <>
struct AttributeTextForm<Justify_t> : FixedNameTextForm<Justify_t> {};
template <>
struct AttributeTextForm<Align_t> : FixedNameTextForm<Align_t> {};

extern template struct FixedNameTextForm<Justify_t>;
extern template struct FixedNameTextForm<Align_t>;

}  // namespace orvan
