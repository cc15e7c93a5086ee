// The resources of a plug-in, parsed from the standard compiled resource (RES) format: the
// property list, dialogs, menus and the string table.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/ByteView.h"

namespace tavrix::host {

inline constexpr uint16_t kMenuResourceType = 4;
inline constexpr uint16_t kDialogResourceType = 5;
inline constexpr uint16_t kStringResourceType = 6;
inline constexpr uint16_t kUsEnglish = 1033;

class ResourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A resource type or name: a number, or a text (compared without regard to case).
struct ResourceName {
  bool isNumber = true;
  uint16_t number = 0;
  std::u16string text;

  bool Is(uint16_t id) const { return isNumber && number == id; }
  bool Is(const std::string& asciiText) const;
  std::string Describe() const;
};

struct Resource {
  ResourceName type;
  ResourceName name;
  uint16_t language = 0;
  std::vector<uint8_t> data;
};

class ResourceTable {
 public:
  ResourceTable() = default;
  // Resources already read, e.g. from a Windows DLL's resource directory.
  explicit ResourceTable(std::vector<Resource> resources) : resources_(std::move(resources)) {}
  // Throws ResourceError naming what is malformed and where.
  static ResourceTable Parse(ByteView bytes);

  // With several languages, US English is preferred.
  const Resource* Find(uint16_t type, uint16_t id) const;
  const Resource* Find(const std::string& type, uint16_t id) const;
  // A text of the string table as UTF-8; nothing when the table has no such string.
  std::optional<std::string> String(uint32_t id) const;

  const std::vector<Resource>& resources() const { return resources_; }

 private:
  template <class TypeMatch>
  const Resource* FindWhere(TypeMatch&& typeMatches, uint16_t id) const;

  std::vector<Resource> resources_;
};

}  // namespace tavrix::host
