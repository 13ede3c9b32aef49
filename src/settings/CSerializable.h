#pragma once
// Base of every settings object that an archive can write as an element of an object collection
// and recreate by class name on reading (see CClassRegistry).

#include <cstdint>
#include <string_view>

namespace settings {

class CArchive;

class CSerializable {
 public:
  virtual ~CSerializable() = default;

  // Writes the fields when ar.IsStoring(), otherwise reads them, in one fixed order; the body is
  // usually a row of ar.Exchange(field) calls. Archive and file errors pass through.
  virtual void Serialize(CArchive& ar) = 0;

  // The name written in the class record, exactly as the class is known ("CQMVCol"): ASCII and
  // shorter than 64 bytes. A reader accepts the record only with the same schema number.
  virtual std::string_view GetClassName() const = 0;
  virtual std::uint16_t GetSchema() const { return 1; }

 protected:
  CSerializable() = default;
  CSerializable(const CSerializable&) = default;
  CSerializable& operator=(const CSerializable&) = default;
};

}  // namespace settings
