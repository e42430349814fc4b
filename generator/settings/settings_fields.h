// One table that describes every field of the settings record: its name,
// offset, element type and element count. Layout checks, the readable dump
// and `glenmire config show/set` all read this table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/settings_record.h"

namespace glenmire {

enum class FieldType {
  kInt8,         // signed byte
  kUInt8,        // unsigned byte
  kBool,         // one byte, 0 false, 1 true
  kInt32,        // signed 32-bit little-endian
  kChar,         // one character
  kShortString,  // length byte + characters; count is the capacity
  kOpaque,       // carried unchanged, never interpreted (the writer's file state)
  kReserved,     // carried unchanged, never read or written by the program
};

struct FieldInfo {
  std::string_view name;
  std::size_t offset;
  FieldType type;
  int count;  // elements (1 for scalars); capacity for short strings; bytes for opaque/reserved

  std::size_t ElementSize() const;
  std::size_t Size() const;
  bool IsArray() const {
    return count > 1 && type != FieldType::kShortString && type != FieldType::kOpaque && type != FieldType::kReserved;
  }
};

// Every field and reserved stretch, in offset order.
std::span<const FieldInfo> SettingsFields();

// The field with this name, or nothing.
const FieldInfo* FindField(std::string_view name);

std::string_view FieldTypeName(FieldType type);

// The numbers an element of a numeric type holds, lowest and highest.
struct NumberRange {
  int64_t lowest;
  int64_t highest;
};
NumberRange FieldTypeRange(FieldType type);

// Element `index` (0-based) of a field as a number (short strings and opaque
// fields are not numbers).
int64_t ReadFieldElement(const SettingsRecord& record, const FieldInfo& field, int index);
// Stores a number into element `index`; false when it does not fit the type.
bool WriteFieldElement(SettingsRecord& record, const FieldInfo& field, int index, int64_t value);

// The short-string field as text.
std::string ReadFieldString(const SettingsRecord& record, const FieldInfo& field);
// Stores text into a short-string field; false when it is too long.
bool WriteFieldString(SettingsRecord& record, const FieldInfo& field, std::string_view text);

}  // namespace glenmire
