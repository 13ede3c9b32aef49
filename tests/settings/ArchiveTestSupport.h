#pragma once
// Test-local serialisable classes and helpers for writing archives into memory and reading them.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "settings/CArchive.h"
#include "settings/CClassRegistry.h"
#include "settings/CMemoryStream.h"
#include "settings/CSerializable.h"

namespace settings::test {

inline std::string Bytes(std::initializer_list<unsigned char> b) { return std::string(b.begin(), b.end()); }

// A choice-list entry as the settings files hold it: a string, then a 32-bit number.
class TestComboElem : public CSerializable {
 public:
  TestComboElem() = default;
  TestComboElem(std::string text, std::int32_t number) : text(std::move(text)), number(number) {}
  void Serialize(CArchive& ar) override {
    ar.Exchange(text);
    ar.Exchange(number);
  }
  std::string_view GetClassName() const override { return "CQMVComboElem"; }

  std::string text;
  std::int32_t number = 0;
};

// An object holding a collection of any serialisable objects, for nesting and shared references.
class TestGroup : public CSerializable {
 public:
  void Serialize(CArchive& ar) override { ar.Exchange(children); }
  std::string_view GetClassName() const override { return "CTestGroup"; }

  std::vector<std::shared_ptr<CSerializable>> children;
};

inline const CClassRegistry& TestClasses() {
  static const CClassRegistry registry = [] {
    CClassRegistry r;
    r.Register<TestComboElem>();
    r.Register<TestGroup>();
    return r;
  }();
  return registry;
}

// The bytes that write produces on a storing archive over memory.
template <class Write>
std::string Store(Write write) {
  CMemoryStream stream;
  CArchive ar(stream, CArchive::Mode::Store);
  write(ar);
  ar.Close();
  return stream.Bytes();
}

// Runs read on a loading archive over bytes, with the test classes.
template <class Read>
void Load(const std::string& bytes, Read read, std::size_t bufferSize = CArchive::kBufferSize) {
  CMemoryStream stream(bytes);
  CArchive ar(stream, CArchive::Mode::Load, TestClasses(), bufferSize);
  read(ar);
}

}  // namespace settings::test
