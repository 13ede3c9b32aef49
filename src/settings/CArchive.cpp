#include "settings/CArchive.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>
#include <stdexcept>

#include "text/Cp932.h"

namespace settings {

namespace {

using Kind = ArchiveError::Kind;

// Object reference tags.
constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigIndexTag = 0x7FFF;   // a 32-bit index follows
constexpr std::uint32_t kBigClassFlag = 0x80000000;
constexpr std::uint32_t kIndexLimit = 0x7FFFFFFF;  // indices stay below the class flag

// String length prefixes and counts.
constexpr std::uint8_t kLongLength = 0xFF;      // a 16-bit length follows
constexpr std::uint16_t kWideMarker = 0xFFFE;   // after FF: UTF-16 text, its length follows again
constexpr std::uint16_t kLongerLength = 0xFFFF; // after FF: a 32-bit length follows
constexpr std::uint16_t kBigCount = 0xFFFF;     // a 32-bit count follows
constexpr std::uint64_t kLengthLimit = 0xFFFFFFFF;

constexpr int kDepthLimit = 64;                 // no settings file nests objects this deep
constexpr std::size_t kReadChunk = 64 * 1024;   // a claimed length is believed only as data arrives

// The CP932 bytes when they read back as exactly this text (text::RoundTripsCp932 without
// converting twice), else nullopt.
std::optional<std::string> ExactCp932(std::string_view utf8) {
  auto bytes = text::ToCp932(utf8);
  if (bytes && text::FromCp932(*bytes) != utf8) bytes.reset();
  return bytes;
}

void CheckLength(std::size_t length) {
  if (length > kLengthLimit) throw std::length_error("archive value of 4 GiB or more");
}

}  // namespace

CArchive::CArchive(CByteStream& stream, Mode mode, const CClassRegistry& classes, std::size_t bufferSize)
    : stream_(stream), mode_(mode), classes_(classes), buffer_(std::max<std::size_t>(bufferSize, 16)) {
  if (IsLoading()) loaded_.emplace_back();
}

void CArchive::Close() {
  if (closed_) return;
  if (IsStoring()) FlushBuffer();
  closed_ = true;
}

bool CArchive::IsAtEnd() {
  RequireMode(Mode::Load);
  return pos_ == end_ && !Refill();
}

void CArchive::RequireMode(Mode mode) const {
  if (closed_) throw std::logic_error("archive used after Close");
  if (mode_ != mode) {
    throw std::logic_error(IsStoring() ? "loading from a storing archive" : "storing into a loading archive");
  }
}

void CArchive::Fail(Kind kind, const std::string& detail) const { throw ArchiveError(kind, Offset(), detail); }

// ---- buffer

void CArchive::Put(const char* data, std::size_t size) {
  while (size > 0) {
    if (pos_ == buffer_.size()) FlushBuffer();
    const std::size_t n = std::min(size, buffer_.size() - pos_);
    std::memcpy(buffer_.data() + pos_, data, n);
    pos_ += n;
    data += n;
    size -= n;
  }
}

void CArchive::Get(char* data, std::size_t size) {
  while (size > 0) {
    if (pos_ == end_ && !Refill()) Fail(Kind::EndOfFile, "");
    const std::size_t n = std::min(size, end_ - pos_);
    std::memcpy(data, buffer_.data() + pos_, n);
    pos_ += n;
    data += n;
    size -= n;
  }
}

void CArchive::FlushBuffer() {
  if (pos_ == 0) return;
  stream_.Write(buffer_.data(), pos_);
  streamOffset_ += pos_;
  pos_ = 0;
}

bool CArchive::Refill() {
  streamOffset_ += end_;
  pos_ = end_ = 0;
  end_ = stream_.Read(buffer_.data(), buffer_.size());
  return end_ > 0;
}

template <class Int>
void CArchive::StoreLittleEndian(Int value) {
  using Unsigned = std::make_unsigned_t<Int>;
  auto bits = static_cast<Unsigned>(value);
  char bytes[sizeof bits];
  for (char& b : bytes) {
    b = static_cast<char>(bits & 0xFF);
    bits = static_cast<Unsigned>(bits >> 8);
  }
  Put(bytes, sizeof bytes);
}

template <class Int>
Int CArchive::LoadLittleEndian() {
  using Unsigned = std::make_unsigned_t<Int>;
  unsigned char bytes[sizeof(Int)];
  Get(reinterpret_cast<char*>(bytes), sizeof bytes);
  Unsigned bits = 0;
  for (std::size_t i = sizeof bytes; i-- > 0;) bits = static_cast<Unsigned>((bits << 8) | bytes[i]);
  return static_cast<Int>(bits);
}

// ---- values

void CArchive::StoreByte(std::uint8_t value) {
  RequireMode(Mode::Store);
  StoreLittleEndian(value);
}

void CArchive::StoreInt16(std::int16_t value) {
  RequireMode(Mode::Store);
  StoreLittleEndian(value);
}

void CArchive::StoreUInt16(std::uint16_t value) {
  RequireMode(Mode::Store);
  StoreLittleEndian(value);
}

void CArchive::StoreInt32(std::int32_t value) {
  RequireMode(Mode::Store);
  StoreLittleEndian(value);
}

void CArchive::StoreUInt32(std::uint32_t value) {
  RequireMode(Mode::Store);
  StoreLittleEndian(value);
}

void CArchive::StoreDouble(double value) {
  RequireMode(Mode::Store);
  StoreLittleEndian(std::bit_cast<std::uint64_t>(value));
}

void CArchive::StoreDate(ArchiveDate value) {
  StoreInt32(value.status);
  StoreDouble(value.value);
}

std::uint8_t CArchive::LoadByte() {
  RequireMode(Mode::Load);
  return LoadLittleEndian<std::uint8_t>();
}

std::int16_t CArchive::LoadInt16() {
  RequireMode(Mode::Load);
  return LoadLittleEndian<std::int16_t>();
}

std::uint16_t CArchive::LoadUInt16() {
  RequireMode(Mode::Load);
  return LoadLittleEndian<std::uint16_t>();
}

std::int32_t CArchive::LoadInt32() {
  RequireMode(Mode::Load);
  return LoadLittleEndian<std::int32_t>();
}

std::uint32_t CArchive::LoadUInt32() {
  RequireMode(Mode::Load);
  return LoadLittleEndian<std::uint32_t>();
}

double CArchive::LoadDouble() {
  RequireMode(Mode::Load);
  return std::bit_cast<double>(LoadLittleEndian<std::uint64_t>());
}

ArchiveDate CArchive::LoadDate() {
  ArchiveDate date;
  date.status = LoadInt32();
  date.value = LoadDouble();
  return date;
}

// ---- strings and counts

void CArchive::StoreLength(std::size_t length) {
  CheckLength(length);
  if (length < kLongLength) {
    StoreByte(static_cast<std::uint8_t>(length));
    return;
  }
  StoreByte(kLongLength);
  if (length < kWideMarker) {
    StoreUInt16(static_cast<std::uint16_t>(length));
    return;
  }
  StoreUInt16(kLongerLength);
  StoreUInt32(static_cast<std::uint32_t>(length));
}

std::uint32_t CArchive::LoadLength(bool& wide) {
  wide = false;
  const std::uint8_t first = LoadByte();
  if (first < kLongLength) return first;
  std::uint16_t word = LoadUInt16();
  if (word == kWideMarker) {
    wide = true;
    const std::uint8_t inner = LoadByte();
    if (inner < kLongLength) return inner;
    word = LoadUInt16();
  }
  if (word < kLongerLength) return word;
  return LoadUInt32();
}

std::string CArchive::LoadBytes(std::uint64_t size) {
  std::string bytes;
  while (bytes.size() < size) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size - bytes.size(), kReadChunk));
    const std::size_t old = bytes.size();
    bytes.resize(old + n);
    Get(bytes.data() + old, n);
  }
  return bytes;
}

void CArchive::StoreString(std::string_view utf8) {
  RequireMode(Mode::Store);
  if (const auto cp932 = ExactCp932(utf8)) {
    StoreLength(cp932->size());
    Put(cp932->data(), cp932->size());
    return;
  }
  // CP932 would lose or change this text, so it is kept whole as UTF-16.
  const std::u16string wide = text::Utf8ToUtf16(utf8);
  CheckLength(wide.size());
  StoreByte(kLongLength);
  StoreUInt16(kWideMarker);
  StoreLength(wide.size());
  for (const char16_t unit : wide) StoreLittleEndian(static_cast<std::uint16_t>(unit));
}

std::string CArchive::LoadString() {
  RequireMode(Mode::Load);
  bool wide = false;
  const std::uint32_t length = LoadLength(wide);
  if (!wide) return text::FromCp932(LoadBytes(length));
  const std::string bytes = LoadBytes(std::uint64_t{length} * 2);
  std::u16string units(length, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto low = static_cast<unsigned char>(bytes[2 * i]);
    const auto high = static_cast<unsigned char>(bytes[2 * i + 1]);
    units[i] = static_cast<char16_t>(low | (high << 8));
  }
  return text::Utf16ToUtf8(units);
}

void CArchive::StoreCount(std::size_t count) {
  CheckLength(count);
  if (count < kBigCount) {
    StoreUInt16(static_cast<std::uint16_t>(count));
    return;
  }
  StoreUInt16(kBigCount);
  StoreUInt32(static_cast<std::uint32_t>(count));
}

std::uint32_t CArchive::LoadCount() {
  const std::uint16_t count = LoadUInt16();
  return count < kBigCount ? count : LoadUInt32();
}

// ---- arrays

void CArchive::StoreStrings(const std::vector<std::string>& values) {
  StoreCount(values.size());
  for (const std::string& value : values) StoreString(value);
}

std::vector<std::string> CArchive::LoadStrings() {
  const std::uint32_t count = LoadCount();
  std::vector<std::string> values;
  values.reserve(std::min(count, kReserveLimit));
  for (std::uint32_t i = 0; i < count; ++i) values.push_back(LoadString());
  return values;
}

template <class Int>
void CArchive::StoreValues(const std::vector<Int>& values) {
  StoreCount(values.size());
  for (const Int value : values) StoreLittleEndian(value);
}

template <class Int>
std::vector<Int> CArchive::LoadValues() {
  const std::uint32_t count = LoadCount();
  std::vector<Int> values;
  values.reserve(std::min(count, kReserveLimit));
  for (std::uint32_t i = 0; i < count; ++i) values.push_back(LoadLittleEndian<Int>());
  return values;
}

void CArchive::StoreInt32s(const std::vector<std::int32_t>& values) { StoreValues(values); }
void CArchive::StoreUInt32s(const std::vector<std::uint32_t>& values) { StoreValues(values); }
std::vector<std::int32_t> CArchive::LoadInt32s() { return LoadValues<std::int32_t>(); }
std::vector<std::uint32_t> CArchive::LoadUInt32s() { return LoadValues<std::uint32_t>(); }

// ---- object references

std::uint32_t CArchive::TakeIndex() {
  if (nextIndex_ >= kIndexLimit) Fail(Kind::BadFormat, "too many objects for one archive");
  return nextIndex_++;
}

void CArchive::StoreReference(std::uint32_t index, bool isClass) {
  if (index < kBigIndexTag) {
    StoreUInt16(static_cast<std::uint16_t>(isClass ? (kClassTag | index) : index));
    return;
  }
  StoreUInt16(kBigIndexTag);
  StoreUInt32(isClass ? (kBigClassFlag | index) : index);
}

void CArchive::StoreClassOf(const CSerializable& object) {
  const std::string_view name = object.GetClassName();
  if (const auto known = storedClasses_.find(name); known != storedClasses_.end()) {
    StoreReference(known->second, true);
    return;
  }
  if (name.empty() || name.size() >= CClassRegistry::kNameLimit) {
    throw std::logic_error("serialisable class name must be 1 to 63 bytes: " + std::string(name));
  }
  StoreUInt16(kNewClassTag);
  StoreUInt16(object.GetSchema());
  StoreUInt16(static_cast<std::uint16_t>(name.size()));
  Put(name.data(), name.size());
  storedClasses_.emplace(std::string(name), TakeIndex());
}

void CArchive::StoreObject(CSerializable* object) {
  RequireMode(Mode::Store);
  if (object == nullptr) {
    StoreUInt16(kNullTag);
    return;
  }
  if (const auto known = storedObjects_.find(object); known != storedObjects_.end()) {
    StoreReference(known->second, false);
    return;
  }
  StoreClassOf(*object);
  storedObjects_.emplace(object, TakeIndex());
  object->Serialize(*this);
}

std::shared_ptr<CSerializable> CArchive::LoadObject() {
  return LoadObjectIf([](const CSerializable*) { return true; });
}

std::shared_ptr<CSerializable> CArchive::LoadObjectIf(Accepts accepts) {
  const std::uint16_t tag = LoadUInt16();
  if (tag == kNewClassTag) return LoadNewObject(LoadClassRecord(), accepts);
  bool isClass = (tag & kClassTag) != 0;
  std::uint32_t index = tag & ~kClassTag;
  if (tag == kBigIndexTag) {
    const std::uint32_t big = LoadUInt32();
    isClass = (big & kBigClassFlag) != 0;
    index = big & ~kBigClassFlag;
  }
  if (isClass) return LoadNewObject(KnownClass(index), accepts);
  if (index == 0) return nullptr;
  return KnownObject(index, accepts);
}

const CClassRegistry::Entry& CArchive::LoadClassRecord() {
  const std::uint16_t schema = LoadUInt16();
  const std::uint16_t length = LoadUInt16();
  if (length >= CClassRegistry::kNameLimit) Fail(Kind::BadClass, "class name of " + std::to_string(length) + " bytes");
  char name[CClassRegistry::kNameLimit];
  Get(name, length);
  const std::string_view nameView(name, length);
  const CClassRegistry::Entry* cls = classes_.Find(nameView);
  if (cls == nullptr) Fail(Kind::BadClass, "no class named " + std::string(nameView));
  if (cls->schema != schema) {
    Fail(Kind::BadSchema, std::string(nameView) + " has schema " + std::to_string(cls->schema) + ", not " +
                              std::to_string(schema));
  }
  AddLoadSlot({cls, nullptr, true});
  return *cls;
}

const CClassRegistry::Entry& CArchive::KnownClass(std::uint32_t index) const {
  if (index >= loaded_.size() || loaded_[index].cls == nullptr) {
    Fail(Kind::BadFormat, "class index " + std::to_string(index) + " names no class");
  }
  return *loaded_[index].cls;
}

std::shared_ptr<CSerializable> CArchive::KnownObject(std::uint32_t index, Accepts accepts) const {
  if (index >= loaded_.size() || loaded_[index].object == nullptr) {
    Fail(Kind::BadFormat, "object index " + std::to_string(index) + " names no object");
  }
  const LoadSlot& slot = loaded_[index];
  if (!slot.complete) Fail(Kind::BadFormat, "object " + std::to_string(index) + " refers to itself");
  if (!accepts(slot.object.get())) {
    Fail(Kind::BadClass, "object " + std::to_string(index) + " is a " + std::string(slot.object->GetClassName()) +
                             ", not of the class expected here");
  }
  return slot.object;
}

std::shared_ptr<CSerializable> CArchive::LoadNewObject(const CClassRegistry::Entry& cls, Accepts accepts) {
  std::shared_ptr<CSerializable> object = cls.create();
  if (object == nullptr) throw std::logic_error("factory of " + cls.name + " made no object");
  if (!accepts(object.get())) Fail(Kind::BadClass, "a " + cls.name + " is not of the class expected here");
  if (depth_ >= kDepthLimit) Fail(Kind::BadFormat, "objects nested too deep");
  const std::size_t index = loaded_.size();
  AddLoadSlot({nullptr, object, false});
  ++depth_;
  object->Serialize(*this);
  --depth_;
  loaded_[index].complete = true;
  return object;
}

void CArchive::AddLoadSlot(LoadSlot slot) {
  if (loaded_.size() >= kIndexLimit) Fail(Kind::BadFormat, "too many objects for one archive");
  loaded_.push_back(std::move(slot));
}

// ---- both directions

void CArchive::Exchange(std::uint8_t& value) { IsStoring() ? StoreByte(value) : void(value = LoadByte()); }
void CArchive::Exchange(std::int16_t& value) { IsStoring() ? StoreInt16(value) : void(value = LoadInt16()); }
void CArchive::Exchange(std::uint16_t& value) { IsStoring() ? StoreUInt16(value) : void(value = LoadUInt16()); }
void CArchive::Exchange(std::int32_t& value) { IsStoring() ? StoreInt32(value) : void(value = LoadInt32()); }
void CArchive::Exchange(std::uint32_t& value) { IsStoring() ? StoreUInt32(value) : void(value = LoadUInt32()); }
void CArchive::Exchange(double& value) { IsStoring() ? StoreDouble(value) : void(value = LoadDouble()); }
void CArchive::Exchange(ArchiveDate& value) { IsStoring() ? StoreDate(value) : void(value = LoadDate()); }
void CArchive::Exchange(std::string& value) { IsStoring() ? StoreString(value) : void(value = LoadString()); }

void CArchive::Exchange(std::vector<std::string>& values) {
  IsStoring() ? StoreStrings(values) : void(values = LoadStrings());
}

void CArchive::Exchange(std::vector<std::int32_t>& values) {
  IsStoring() ? StoreInt32s(values) : void(values = LoadInt32s());
}

void CArchive::Exchange(std::vector<std::uint32_t>& values) {
  IsStoring() ? StoreUInt32s(values) : void(values = LoadUInt32s());
}

}  // namespace settings
