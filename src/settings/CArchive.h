#pragma once
// The settings archive: values, strings, counts and object collections in the one byte encoding
// every settings file shares, over a byte stream with a 4096-byte buffer. There is no header or
// checksum: a file is exactly the sequence of its values, little-endian and unpadded.
//
// Ownership: objects read back are held by std::shared_ptr. An object written twice into one
// archive is written in full once and then by its index, and reads back as that one object,
// shared by every place that held it. A reference to an object whose own fields are still being
// read would close a cycle (and leak), so the reader rejects it as a format error.
//
// Errors: bytes that are not what the reader expects throw ArchiveError; a failing stream throws
// FileError. Neither leaves settings code: the code that handles the file catches them.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "settings/ArchiveDate.h"
#include "settings/ArchiveError.h"
#include "settings/CByteStream.h"
#include "settings/CClassRegistry.h"
#include "settings/CSerializable.h"

namespace settings {

class CArchive {
 public:
  enum class Mode { Store, Load };
  static constexpr std::size_t kBufferSize = 4096;

  // The stream, and the registry whose classes loading recreates, must outlive the archive.
  CArchive(CByteStream& stream, Mode mode, const CClassRegistry& classes = CClassRegistry::Program(),
           std::size_t bufferSize = kBufferSize);
  // Does not flush: what a storing archive still buffers is dropped unless Close ran, so a
  // Serialize that fails half-way never leaves a tail of its values behind.
  ~CArchive() = default;
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  bool IsStoring() const noexcept { return mode_ == Mode::Store; }
  bool IsLoading() const noexcept { return mode_ == Mode::Load; }

  // Storing: writes the buffered bytes to the stream (FileError on failure). Either mode: the
  // archive takes no values after it.
  void Close();
  // Loading: true when every byte of the stream has been read. Readers that ignore trailing
  // bytes need not ask.
  bool IsAtEnd();

  // Store calls need a storing archive, Load calls a loading one, neither closed; otherwise they
  // throw std::logic_error.
  void StoreByte(std::uint8_t value);
  void StoreInt16(std::int16_t value);
  void StoreUInt16(std::uint16_t value);
  void StoreInt32(std::int32_t value);
  void StoreUInt32(std::uint32_t value);
  void StoreDouble(double value);
  void StoreDate(ArchiveDate value);
  // As CP932 when the text reads back from CP932 unchanged; otherwise (😀, 한, 〜, ¥) in the
  // UTF-16 form, which every reader accepts, so that nothing is lost.
  void StoreString(std::string_view utf8);
  // The element count of a collection. A count or string of 2^32 or more throws std::length_error.
  void StoreCount(std::size_t count);
  void StoreStrings(const std::vector<std::string>& values);
  void StoreInt32s(const std::vector<std::int32_t>& values);
  void StoreUInt32s(const std::vector<std::uint32_t>& values);
  // An object reference: null, or the class record (or class index) and the object's fields, or
  // only the object's index when this archive already holds it. Objects are told apart by address,
  // so each must stay alive until the archive is closed. std::logic_error for a class name that
  // is empty or of 64 bytes or more.
  void StoreObject(CSerializable* object);
  template <class T>
  void StoreObjects(const std::vector<std::shared_ptr<T>>& objects);

  // All throw ArchiveError EndOfFile when the data ends inside the value.
  std::uint8_t LoadByte();
  std::int16_t LoadInt16();
  std::uint16_t LoadUInt16();
  std::int32_t LoadInt32();
  std::uint32_t LoadUInt32();
  double LoadDouble();
  ArchiveDate LoadDate();
  // CP932 or UTF-16 text, as UTF-8. Bytes that are not CP932 become U+FFFD.
  std::string LoadString();
  std::uint32_t LoadCount();
  std::vector<std::string> LoadStrings();
  std::vector<std::int32_t> LoadInt32s();
  std::vector<std::uint32_t> LoadUInt32s();
  // nullptr for a null reference; a new object of the recorded class, filled by its Serialize; or
  // the object already read under that index. ArchiveError BadClass, BadSchema or BadFormat for a
  // class record or index that does not hold (see ArchiveError::Kind).
  std::shared_ptr<CSerializable> LoadObject();
  // As LoadObject, and ArchiveError BadClass unless the object is a T.
  template <class T>
  std::shared_ptr<T> LoadObject();
  template <class T>
  std::vector<std::shared_ptr<T>> LoadObjects();

  // Stores or loads by the archive's mode, so that one Serialize body serves both directions.
  void Exchange(std::uint8_t& value);
  void Exchange(std::int16_t& value);
  void Exchange(std::uint16_t& value);
  void Exchange(std::int32_t& value);
  void Exchange(std::uint32_t& value);
  void Exchange(double& value);
  void Exchange(ArchiveDate& value);
  void Exchange(std::string& value);
  void Exchange(std::vector<std::string>& values);
  void Exchange(std::vector<std::int32_t>& values);
  void Exchange(std::vector<std::uint32_t>& values);
  template <class T>
  void Exchange(std::shared_ptr<T>& object);
  template <class T>
  void Exchange(std::vector<std::shared_ptr<T>>& objects);
  void Exchange(bool&) = delete;  // a BOOL is 32 bits in the archive: exchange an int32

 private:
  using Accepts = bool (*)(const CSerializable*);  // never given nullptr

  struct LoadSlot {
    const CClassRegistry::Entry* cls = nullptr;  // set for a class record
    std::shared_ptr<CSerializable> object;       // set for an object
    bool complete = false;                       // its fields are read
  };

  // Reading never reserves more than this many elements ahead, whatever count a file claims.
  static constexpr std::uint32_t kReserveLimit = 4096;

  void RequireMode(Mode mode) const;
  [[noreturn]] void Fail(ArchiveError::Kind kind, const std::string& detail) const;
  std::uint64_t Offset() const noexcept { return streamOffset_ + pos_; }

  void Put(const char* data, std::size_t size);
  void Get(char* data, std::size_t size);
  void FlushBuffer();
  bool Refill();
  template <class Int>
  void StoreLittleEndian(Int value);
  template <class Int>
  Int LoadLittleEndian();

  void StoreLength(std::size_t length);
  std::uint32_t LoadLength(bool& wide);
  std::string LoadBytes(std::uint64_t size);
  template <class Int>
  void StoreValues(const std::vector<Int>& values);
  template <class Int>
  std::vector<Int> LoadValues();

  std::uint32_t TakeIndex();
  void StoreClassOf(const CSerializable& object);
  void StoreReference(std::uint32_t index, bool isClass);
  std::shared_ptr<CSerializable> LoadObjectIf(Accepts accepts);
  const CClassRegistry::Entry& LoadClassRecord();
  const CClassRegistry::Entry& KnownClass(std::uint32_t index) const;
  std::shared_ptr<CSerializable> KnownObject(std::uint32_t index, Accepts accepts) const;
  std::shared_ptr<CSerializable> LoadNewObject(const CClassRegistry::Entry& cls, Accepts accepts);
  void AddLoadSlot(LoadSlot slot);

  CByteStream& stream_;
  Mode mode_;
  const CClassRegistry& classes_;
  bool closed_ = false;

  std::vector<char> buffer_;
  std::size_t pos_ = 0;             // storing: bytes buffered; loading: next byte to read
  std::size_t end_ = 0;             // loading: bytes in the buffer
  std::uint64_t streamOffset_ = 0;  // stream bytes before the buffer's first

  std::uint32_t nextIndex_ = 1;  // storing: one sequence for classes and objects, from 1
  std::unordered_map<const CSerializable*, std::uint32_t> storedObjects_;
  std::map<std::string, std::uint32_t, std::less<>> storedClasses_;
  std::vector<LoadSlot> loaded_;  // loading: by index; index 0 is the null reference
  int depth_ = 0;                 // loading: objects whose fields are being read
};

template <class T>
void CArchive::StoreObjects(const std::vector<std::shared_ptr<T>>& objects) {
  StoreCount(objects.size());
  for (const auto& object : objects) StoreObject(object.get());
}

template <class T>
std::shared_ptr<T> CArchive::LoadObject() {
  static_assert(std::is_base_of_v<CSerializable, T>);
  return std::dynamic_pointer_cast<T>(
      LoadObjectIf([](const CSerializable* object) { return dynamic_cast<const T*>(object) != nullptr; }));
}

template <class T>
std::vector<std::shared_ptr<T>> CArchive::LoadObjects() {
  const std::uint32_t count = LoadCount();
  std::vector<std::shared_ptr<T>> objects;
  objects.reserve(count < kReserveLimit ? count : kReserveLimit);
  for (std::uint32_t i = 0; i < count; ++i) objects.push_back(LoadObject<T>());
  return objects;
}

template <class T>
void CArchive::Exchange(std::shared_ptr<T>& object) {
  if (IsStoring()) {
    StoreObject(object.get());
  } else {
    object = LoadObject<T>();
  }
}

template <class T>
void CArchive::Exchange(std::vector<std::shared_ptr<T>>& objects) {
  if (IsStoring()) {
    StoreObjects(objects);
  } else {
    objects = LoadObjects<T>();
  }
}

}  // namespace settings
