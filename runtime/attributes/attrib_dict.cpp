#include "orvan/attrib_dict.h"

#include <istream>
#include <ostream>
#include <sstream>

#include "orvan/attribute.h"

namespace orvan {

int ResourceIndent = 0;

namespace {

constexpr int kEndOfInput = std::char_traits<char>::eof();

// The next character, or kEndOfInput (which also marks the stream at its end).
int Take(std::istream& is, std::streambuf* source) {
  const int c = source->sbumpc();
  if (c == kEndOfInput) is.setstate(std::ios::eofbit);
  return c;
}

void WriteIndent(std::ostream& os) {
  for (int i = 0; i < ResourceIndent; ++i) os.put(' ');
}

}  // namespace

bool ReadAttributeName(std::istream& is, std::string& out, NameTokenEnd* end) {
  out.clear();
  NameTokenEnd how = NameTokenEnd::EndOfInput;
  bool closing = false;
  std::streambuf* source = is ? is.rdbuf() : nullptr;
  int c = source != nullptr ? Take(is, source) : kEndOfInput;
  while (c != kEndOfInput) {
    if (c == '\r' || c == '\n' || c == ':') {
      how = c == ':' ? NameTokenEnd::Colon : NameTokenEnd::LineEnd;
      break;
    }
    if (c == '}') {
      closing = true;
      out += '}';
    } else if (c == '/' && source->sgetc() == '/') {
      int skipped = Take(is, source);
      while (skipped != kEndOfInput && skipped != '\n') skipped = Take(is, source);
      how = NameTokenEnd::Comment;
      break;
    } else if (c == '\\' && source->sgetc() == 'n') {
      source->sbumpc();
      out += '\n';
    } else if (!(out.empty() && (c == '\t' || c == ' ' || c == '{'))) {
      out += static_cast<char>(c);
    }
    c = Take(is, source);
  }
  if (how != NameTokenEnd::EndOfInput && closing) how = NameTokenEnd::Closing;
  if (end != nullptr) *end = how;
  return how != NameTokenEnd::EndOfInput && how != NameTokenEnd::Closing;
}

OrvanAttribDict::OrvanAttribDict() {}

OrvanAttribDict::~OrvanAttribDict() { Clear(); }

void OrvanAttribDict::Add(OrvanAttributeBase* attribute) {
  if (attribute == nullptr) return;
  attributes.push_back(attribute);
  byName.emplace(attribute->Name(), attribute);  // after its equals: look-ups find the first
}

void OrvanAttribDict::Unlink(const AttributeName& name, bool destroy) {
  byName.erase(name);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < attributes.size(); ++i) {
    OrvanAttributeBase* attribute = attributes[i];
    if (attribute->Name() == name) {
      if (destroy) delete attribute;
    } else {
      attributes[kept++] = attribute;
    }
  }
  attributes.resize(kept);
}

void OrvanAttribDict::Remove(const AttributeName& name) { Unlink(name, true); }

void OrvanAttribDict::Detach(const AttributeName& name) { Unlink(name, false); }

void OrvanAttribDict::Clear() {
  for (OrvanAttributeBase* attribute : attributes) delete attribute;
  attributes.clear();
  byName.clear();
}

void OrvanAttribDict::ReadAsStrings(std::istream& is) {
  std::string name;
  std::string value;
  NameTokenEnd nameEnd = NameTokenEnd::EndOfInput;
  while (ReadAttributeName(is, name, &nameEnd)) {
    // Only "Name:" introduces a value; a line without a colon has none.
    if (name.empty() || nameEnd != NameTokenEnd::Colon) continue;
    NameTokenEnd valueEnd = NameTokenEnd::EndOfInput;
    const bool read = ReadAttributeName(is, value, &valueEnd);
    if (!read && !(valueEnd == NameTokenEnd::EndOfInput && !value.empty())) continue;
    if (valueEnd == NameTokenEnd::Colon) {
      // The value stops at its first colon; the rest of its line is not a further name.
      std::string rest;
      std::getline(is, rest);
    }
    Add(new OrvanAttribute<std::string>(AttributeName(name), value));
  }
}

void OrvanAttribDict::Write(std::ostream& os, bool selective) {
  for (OrvanAttributeBase* attribute : attributes) {
    if (!attribute->HasValue()) continue;
    if (selective && !attribute->ShouldWrite()) continue;
    WriteIndent(os);
    os << attribute->NameText() << ": ";
    attribute->WriteValue(os);
    os << '\n';
    attribute->ValueWritten();
  }
}

bool OrvanAttribDict::Read(std::istream& is) {
  bool readAny = false;
  std::string token;
  NameTokenEnd end = NameTokenEnd::EndOfInput;
  while (ReadAttributeName(is, token, &end)) {
    if (token.empty() || end != NameTokenEnd::Colon) continue;
    // Names from the input are looked up without interning them.
    AttributeName name;
    if (!AttributeName::Existing(token, &name)) continue;
    OrvanAttributeBase* attribute = Get(name);
    if (attribute == nullptr) continue;
    const int blank = is.peek();
    if (blank == ' ' || blank == '\t') is.get();
    attribute->ReadValue(is);
    readAny = true;
  }
  return readAny;
}

void OrvanAttribDict::ValueText(const AttributeName& name, const std::string& text) {
  if (OrvanAttributeBase* attribute = Get(name)) attribute->ValueText(text);
}

std::string OrvanAttribDict::ValueText(const AttributeName& name) {
  OrvanAttributeBase* attribute = Get(name);
  return attribute != nullptr ? attribute->ValueText() : std::string();
}

std::ostream& OrvanAttribDict::WriteValue(const AttributeName& name, std::ostream& os) {
  if (OrvanAttributeBase* attribute = Get(name)) attribute->WriteValue(os);
  return os;
}

std::istream& OrvanAttribDict::ReadValue(const AttributeName& name, std::istream& is) {
  if (OrvanAttributeBase* attribute = Get(name)) attribute->ReadValue(is);
  return is;
}

OrvanAttributeBase* OrvanAttribDict::Get(const AttributeName& name) {
  // The first of equal names, which the multimap keeps in the order they were added.
  auto found = byName.lower_bound(name);
  return found != byName.end() && found->first == name ? found->second : nullptr;
}

bool OrvanAttribDict::ValueIntEquals(const AttributeName& name, long v) {
  OrvanAttributeBase* attribute = Get(name);
  return attribute != nullptr && attribute->ValueInt() == v;
}

OrvanAttribDict& OrvanAttribDict::operator=(const OrvanAttribDict& other) {
  if (this == &other) return *this;
  std::size_t i = 0;
  for (; i < attributes.size() && i < other.attributes.size(); ++i) {
    if (attributes[i]->Name() != other.attributes[i]->Name()) break;
    *attributes[i] = *other.attributes[i];
  }
  for (; i < other.attributes.size(); ++i) {
    if (OrvanAttributeBase* mine = Get(other.attributes[i]->Name())) *mine = *other.attributes[i];
  }
  return *this;
}

}  // namespace orvan
